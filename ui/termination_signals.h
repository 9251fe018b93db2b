#pragma once

#include <QObject>

class QSocketNotifier;

namespace cj::ui {

// SIGTERM, SIGHUP and SIGINT, as the system sends them at log-out, shutdown or from a
// terminal, turned into an event of the event loop; the handler itself only writes a byte.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void arrived();

private:
    int readEnd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace cj::ui

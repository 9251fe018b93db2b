#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>

class QWidget;

namespace cj::ui {

// Qt refuses the close box of a window that a message box stands over, and the request is gone.
// Taken here instead, before Qt sees it, a close asked while a command shows its message is
// handed to `asked`, which carries it out once the command is done. On X11 only; elsewhere
// nothing is taken.
class CloseRequests : public QAbstractNativeEventFilter {
public:
    CloseRequests(const QWidget& window, std::function<void()> asked);
    ~CloseRequests() override;
    CloseRequests(const CloseRequests&) = delete;
    CloseRequests& operator=(const CloseRequests&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& window_;
    std::function<void()> asked_;
    unsigned protocols_ = 0;
    unsigned deleteWindow_ = 0;
};

}  // namespace cj::ui

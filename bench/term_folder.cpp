// Writes the files of a class's term, as the student program leaves them: for each student and
// day a send file with a header, responses (some of several lines) and notes; notes and master
// files that grow over the term; and the class file. The records are made by the core's own
// layouts, and written without the program's locks and flushes, which a term of them would wait
// on for minutes. Usage: term_folder FOLDER STUDENTS DAYS
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "clock_text.h"
#include "file_names.h"
#include "record_layouts.h"

namespace {

const std::string kQuestion = "Please respond to the question.";

void appendTo(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

std::string answer(int student, int day, int question) {
    std::string text = "Answer " + std::to_string(question) + " of student " + std::to_string(student) + " on day " +
                       std::to_string(day) + ": the current doubles when the resistance is halved, by Ohm's law.";
    if (question % 3 == 0) text += "\r\nI checked the units: volts over ohms give amperes.\r\nCaf\xe9 break next.";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: term_folder FOLDER STUDENTS DAYS\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int students = std::atoi(argv[2]), days = std::atoi(argv[3]);
    std::filesystem::create_directories(folder);
    const auto file = [&](const std::string& dosPath) { return folder / dosPath.substr(dosPath.rfind('\\') + 1); };
    std::string classFile;
    for (int day = 0; day < days; ++day) {
        // School days from 1 September, five a week.
        const std::chrono::sys_days date =
            std::chrono::sys_days(std::chrono::year(2026) / 9 / 1) + std::chrono::days(day / 5 * 7 + day % 5);
        const std::chrono::year_month_day ymd(date);
        for (int s = 0; s < students; ++s) {
            const cj::HeaderFields header{"Student " + std::to_string(s + 1) + " Lastname", "001",
                                          "S" + std::to_string(s + 1), 19};
            cj::LocalTime now{static_cast<int>(ymd.year()),
                              static_cast<int>(static_cast<unsigned>(ymd.month())),
                              static_cast<int>(static_cast<unsigned>(ymd.day())),
                              9,
                              0,
                              0,
                              0};
            const cj::StudentFileNames names = cj::studentFileNames("c:", header.fullName, cj::dateText(now));
            std::string send = cj::sendFileHeader("Xq~noise~line~of~twenty~or~so", header, "001.  Responses", now);
            std::string notes, master;
            for (int q = 1; q <= 15; ++q) {
                now.minute = q * 3;
                if (q % 5 == 0) {
                    const cj::NotesRecord record =
                        cj::notesRecord(cj::kNotesLabel + answer(s, day, q), kQuestion, now, 19);
                    send += record.sendAndNotes;
                    notes += record.sendAndNotes;
                    master += record.master;
                } else {
                    send += cj::responseRecord(answer(s, day, q), now, 19);
                    classFile += cj::classFileLine(answer(s, day, q), 19);
                }
            }
            appendTo(file(names.send), send);
            appendTo(file(names.notes), notes);
            appendTo(file(names.master), master);
        }
    }
    appendTo(folder / "responses.txt", classFile);
    return 0;
}

#pragma once
// A scripted Host: records every message and question, answers from queues.

#include <deque>
#include <string>
#include <vector>

#include "core/common/host.h"

namespace edid::test {

class FakeHost : public Host {
 public:
  std::vector<std::string> messages;   ///< every OK message, in order
  std::vector<std::string> questions;  ///< every Yes/No question, in order
  std::vector<std::string> questionTitles;
  std::deque<bool> answers;    ///< answers to questions; No when empty
  std::deque<Answer> choices;  ///< answers to Yes/No/Cancel questions; else from answers
  std::vector<std::string> opened, saved;  ///< files reported read or written
  std::deque<std::string> fileNames;       ///< answers to file dialogs; "" (cancel) when empty
  std::vector<FileDialog> dialogs;         ///< every file dialog shown
  int screenLoads = 0, screenUnloads = 0;
  std::vector<std::string> documents;    ///< every report text shown
  std::vector<std::string> windowCalls;  ///< calculator shown, tiling, activations, in order
  std::vector<std::vector<MonitorChoice>> monitorLists;  ///< every monitor choice offered
  std::deque<int> monitorAnswers;                        ///< answers to it; the first when empty

  void message(const std::string& text) override { messages.push_back(text); }
  bool ask(const std::string& text, const std::string& title, bool) override {
    questions.push_back(text);
    questionTitles.push_back(title);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  Answer askYesNoCancel(const std::string& text) override {
    if (choices.empty()) return ask(text, {}, false) ? Answer::Yes : Answer::No;
    questions.push_back(text);
    questionTitles.emplace_back();
    const Answer answer = choices.front();
    choices.pop_front();
    return answer;
  }
  void fileOpened(const std::string& path) override { opened.push_back(path); }
  void fileSaved(const std::string& path) override { saved.push_back(path); }
  std::string openFileName(const FileDialog& dialog) override { return nextFile(dialog); }
  std::string saveFileName(const FileDialog& dialog) override { return nextFile(dialog); }
  void screenLoaded() override { ++screenLoads; }
  void screenUnloaded() override { ++screenUnloads; }
  void showDocument(const std::string& text, bool) override { documents.push_back(text); }
  void calculatorLoaded() override { windowCalls.push_back("calculator"); }
  void tileVertically() override { windowCalls.push_back("tile vertically"); }
  void activate(ChildWindow window) override {
    windowCalls.push_back(window == ChildWindow::EdidScreen      ? "activate screen"
                          : window == ChildWindow::HexCalculator ? "activate calculator"
                                                                 : "activate other");
  }
  int chooseMonitor(const std::vector<MonitorChoice>& monitors) override {
    monitorLists.push_back(monitors);
    if (monitorAnswers.empty()) return 0;
    const int answer = monitorAnswers.front();
    monitorAnswers.pop_front();
    return answer;
  }

 private:
  std::string nextFile(const FileDialog& dialog) {
    dialogs.push_back(dialog);
    if (fileNames.empty()) return "";
    std::string name = fileNames.front();
    fileNames.pop_front();
    return name;
  }
};

}  // namespace edid::test

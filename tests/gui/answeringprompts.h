#pragma once

#include <QStringList>

#include "form/scriptedprompts.h"
#include "ui/qtprompts.h"

namespace torvel::test {

// The window's real prompts (busy pointer, dialog forms shown by the main window) with the
// message boxes and the file, colour and font dialogs answered from queues instead of asking
// someone at the screen. Every event goes to the transcript of `answers`; a dialog without a
// queued answer is noted in `unanswered` and cancelled, so that the window stays usable.
class AnsweringPrompts : public QtPrompts {
public:
    ScriptedPrompts answers;
    QStringList unanswered;

    Answer message(MessageIcon icon, MessageButtons buttons, const QString& title,
                   const QString& text) override {
        return answered([&] { return answers.message(icon, buttons, title, text); }, Answer::No);
    }
    std::optional<QString> openFile(const OpenFileRequest& request) override {
        return answered([&] { return answers.openFile(request); }, std::optional<QString>());
    }
    std::optional<int> chooseColor(int preset) override {
        return answered([&] { return answers.chooseColor(preset); }, std::optional<int>());
    }
    std::optional<FontChoice> chooseFont(const FontChoice& preset) override {
        return answered([&] { return answers.chooseFont(preset); }, std::optional<FontChoice>());
    }
    void setBusy(bool busy) override {
        answers.setBusy(busy);
        QtPrompts::setBusy(busy);
    }
    void showForm(const QString& form) override {
        answers.showForm(form);
        QtPrompts::showForm(form);
    }
    void closeForm(const QString& form) override {
        answers.closeForm(form);
        QtPrompts::closeForm(form);
    }
    // Web addresses, programs and quitting are only noted.
    void openUrl(const QString& url) override { answers.openUrl(url); }
    bool startProgram(const QString& path) override { return answers.startProgram(path); }
    void quit() override { answers.quit(); }

private:
    template <typename Ask, typename T>
    T answered(Ask ask, T cancelled) {
        try {
            return ask();
        } catch (const PromptUnanswered& missing) {
            unanswered << missing.what;
            return cancelled;
        }
    }
};

}  // namespace torvel::test

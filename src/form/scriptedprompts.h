#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "form/jsonline.h"
#include "form/prompts.h"

namespace torvel {

// Thrown when a question or dialog finds no queued answer. It is deliberately not a
// std::exception, so that the wizard's error reporting lets it through to the script runner.
struct PromptUnanswered {
    QString what;
};

// Prompts with answers queued in advance (first in, first out per kind), recording every
// message, dialog, table, progress step, form, busy change, web address, program start and quit
// as one JSON line.
// Used by the script runner and by tests.
class ScriptedPrompts : public Prompts {
public:
    void queueAnswer(bool yes) { answers_.push_back(yes); }
    void queueFile(std::optional<QString> path) { files_.push_back(std::move(path)); }
    void queueColor(std::optional<int> color) { colors_.push_back(color); }
    void queueFont(std::optional<FontChoice> font) { fonts_.push_back(std::move(font)); }
    void queueSaveFile(std::optional<QString> path) { saveFiles_.push_back(std::move(path)); }
    bool hasQueuedAnswers() const {
        return !answers_.empty() || !files_.empty() || !colors_.empty() || !fonts_.empty() ||
               !saveFiles_.empty();
    }

    // Every event so far, one JSON object per line; also handed to onEvent as it happens.
    const QStringList& transcript() const { return transcript_; }
    void clearTranscript() { transcript_.clear(); }
    std::function<void(const QString& line)> onEvent;
    bool quitRequested() const { return quit_; }
    // The result of startProgram: by default true when the file exists.
    std::function<bool(const QString& path)> programStarter;
    // Whether a task goes on at this progress: by default it always does.
    std::function<bool(qint64 done, qint64 total)> progressAnswer;

    TORVEL_PROMPTS_IMPLEMENTATION

    // "Verdana;12;bold" / "Verdana;12;normal" for a font answer.
    static QString fontText(const FontChoice& font);
    static std::optional<FontChoice> parseFont(const QString& text);

private:
    void record(const JsonLine& line);
    template <typename Queue, typename ToJson>
    auto answerDialog(Queue& queue, const QString& unanswered, JsonLine line, ToJson toJson);

    std::deque<bool> answers_;
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<int>> colors_;
    std::deque<std::optional<FontChoice>> fonts_;
    std::deque<std::optional<QString>> saveFiles_;
    QStringList transcript_;
    bool quit_ = false;
};

}  // namespace torvel

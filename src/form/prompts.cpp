#include "form/prompts.h"

namespace torvel {

void inform(Prompts& prompts, const QString& text) {
    prompts.message(MessageIcon::Information, MessageButtons::Ok, kMessageTitle, text);
}

bool confirm(Prompts& prompts, const QString& text) {
    return prompts.message(MessageIcon::Question, MessageButtons::YesNo, kMessageTitle, text) == Answer::Yes;
}

bool confirmDeletion(Prompts& prompts, const QString& text) {
    return prompts.message(MessageIcon::Question, MessageButtons::YesNoDefaultNo, kMessageTitle, text) ==
           Answer::Yes;
}

}  // namespace torvel

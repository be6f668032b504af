// The box every action that went well ends with: its text under the
// language's "information" caption, the information icon and one OK button.
#pragma once

#include <string_view>

#include "platform/dialogs.h"
#include "text/texts.h"

namespace korvane {

inline void Inform(Dialogs& dialogs, std::string_view text) {
  dialogs.Message(text, Text(TextId::kInformationCaption), MessageButtons::kOk,
                  MessageIcon::kInformation);
}

}  // namespace korvane

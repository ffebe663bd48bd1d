#include "setup/Login.h"

#include <algorithm>
#include <cctype>

#include "platform/Ui.h"

namespace qv {

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

LoginCode AskAgain(Ui& ui, const char* text, LoginCode retry) {
  const Answer answer =
      ui.Show(Message{text, "Instructor Login", Buttons::kRetryCancel, Icon::kExclamation, 1});
  return answer == Answer::kRetry ? retry : LoginCode::kNotOpened;
}

}  // namespace

bool NeedsLogin(const GameRecord& game) {
  return !game.InstructorName.empty() || !game.InstructorPassword.empty();
}

LoginCode CheckLogin(Ui& ui, const GameRecord& game, const std::string& name,
                     const std::string& password) {
  if (Upper(name) != Upper(game.InstructorName)) {
    return AskAgain(ui, "Invalid Instructor Name, Try Again!", LoginCode::kWrongName);
  }
  if (Upper(password) != Upper(game.InstructorPassword)) {
    return AskAgain(ui, "Invalid Password, Try Again!", LoginCode::kWrongPassword);
  }
  return LoginCode::kOpened;
}

}  // namespace qv

#include "desktop/NewGameWizard.h"

#include <memory>
#include <optional>
#include <vector>

#include "data/Messages.h"
#include "desktop/Instructor.h"
#include "desktop/MainWindow.h"
#include "desktop/SetupFormDialogs.h"
#include "newgame/CreateGame.h"
#include "newgame/PeriodZero.h"
#include "platform/RuntimeError.h"
#include "setup/DiskPaths.h"
#include "setup/EnvironmentFields.h"
#include "setup/NewGameFlow.h"
#include "setup/SetupStore.h"
#include "setup/ValidateSetup.h"

namespace qv {

namespace {

enum class Step { kGame, kBanks, kEnvironment, kCreate, kDone };

constexpr int kGameFields = 7;
constexpr int kEnvFields = 16;
constexpr int kBankColumns = 6;

class Wizard {
 public:
  explicit Wizard(MainWindow& window)
      : window_(window),
        session_(window.program().session()),
        game_form_(session_.ui, forms_, setup_, &window),
        bank_form_(session_.ui, forms_, setup_, &window),
        env_form_(session_.ui, forms_, setup_, &window) {}

  void Run() {
    // A new game starts from a blank record, whatever game was open before.
    session_.game = GameRecord{};
    for (BankSetupRow& row : forms_.banks.rows) {
      row.cboCol3 = kManagementHuman;
      row.cboCol6 = 0;
    }
    EnvironmentDefaults(session_);
    FillEnvSetupForm(session_.tables.Environment, &forms_.environment);
    game_form_.set_folder(session_.GamePath);
    Step step = Step::kGame;
    while (step != Step::kDone) {
      switch (step) {
        case Step::kGame:
          step = GameStep();
          break;
        case Step::kBanks:
          step = BankStep();
          break;
        case Step::kEnvironment:
          step = EnvironmentStep();
          break;
        case Step::kCreate:
          step = Create();
          break;
        case Step::kDone:
          break;
      }
    }
  }

 private:
  Answer Tell(const std::string& text, Buttons buttons) {
    return qv::Tell(session_, text, buttons, Icon::kExclamation);
  }
  bool AskYes(const std::string& text) { return Tell(text, Buttons::kYesNo) == Answer::kYes; }
  Step GiveUp() {
    session_.ProceedOk = Proceed::kStop;
    return Step::kDone;
  }
  Step IllegalCode() {
    Tell("Illegal return code in New Game Setup", Buttons::kOk);
    return GiveUp();
  }

  // How a form was left. A confirmed Cancel and an illegal code end the flow (`ended`); a
  // Cancel taken back shows the form again with the focus where it was. Returns true when
  // the form's fields are to be checked.
  bool FormLeft(int code, bool previous_allowed, int* focus, std::optional<Step>* ended) {
    if (code == kSetupCancel) {
      if (AskYes("Abort New Game Setup")) {
        *ended = GiveUp();
      } else {
        *focus = setup_.SetupField;
      }
      return false;
    }
    if (code != kSetupNext && !(previous_allowed && code == kSetupPrevious)) {
      *ended = IllegalCode();
      return false;
    }
    return true;
  }

  Step GameStep() {
    int focus = 1;
    for (;;) {
      const int code = game_form_.ShowModal(focus);
      if (std::optional<Step> ended; !FormLeft(code, false, &focus, &ended)) {
        if (ended) {
          return *ended;
        }
        continue;
      }
      if (const int bad = FirstInvalid(game_form_, setup_.SetupField, GameFields()); bad != 0) {
        focus = bad == 5 ? 4 : bad;  // a failed confirmation sends the instructor to the password
        continue;
      }
      if (forms_.game.txtInstName.empty() && AskYes("Do you want to enter an instructor name?")) {
        focus = 3;
        continue;
      }
      if (forms_.game.txtInstPW.empty() && AskYes("Do you want to enter an instructor password?")) {
        focus = 4;
        continue;
      }
      StoreGameSetup(session_, forms_.game);
      game_form_.hide();
      return Step::kBanks;
    }
  }

  Step BankStep() {
    const int num_banks = session_.game.NumBanks;
    bank_form_.EnableRows(num_banks);
    int focus = 1;
    for (;;) {
      if (focus < 1 || focus > kBankColumns * 10) {
        Tell("Error in Sub StartNewGame, BankSetup", Buttons::kOk);
        return GiveUp();
      }
      const int code = bank_form_.ShowModal(focus);
      if (std::optional<Step> ended; !FormLeft(code, true, &focus, &ended)) {
        if (ended) {
          return *ended;
        }
        continue;
      }
      std::vector<int> fields;
      for (int bank = 1; bank <= num_banks; ++bank) {
        for (int column = 1; column <= kBankColumns; ++column) {
          fields.push_back((column - 1) * 10 + bank);
        }
      }
      if (const int bad = FirstInvalid(bank_form_, setup_.SetupField, fields); bad != 0) {
        focus = bad;
        continue;
      }
      // The disk paths taken together, against the game folder: only on the way forward, since
      // the way back may be the way to a different game folder.
      if (code == kSetupNext) {
        if (const std::optional<int> bad =
                FirstDiskPathConflict(session_.ui, session_.files, forms_, ChosenFolder())) {
          focus = *bad;
          continue;
        }
      }
      StoreBankSetup(session_, state_, forms_.banks);
      bank_form_.hide();
      return code == kSetupPrevious ? Step::kGame : Step::kEnvironment;
    }
  }

  Step EnvironmentStep() {
    int focus = 1;
    for (;;) {
      const int code = env_form_.ShowModal(focus);
      if (std::optional<Step> ended; !FormLeft(code, true, &focus, &ended)) {
        if (ended) {
          return *ended;
        }
        continue;
      }
      std::vector<int> fields;
      for (int field = 1; field <= kEnvFields; ++field) {
        fields.push_back(field);
      }
      if (const int bad = FirstInvalid(env_form_, setup_.SetupField, fields); bad != 0) {
        focus = bad;
        continue;
      }
      StoreEnvSetup(session_, forms_.environment);
      env_form_.hide();
      return code == kSetupPrevious ? Step::kBanks : Step::kCreate;
    }
  }

  // Puts the game where the game form says, asking before a game already there is replaced,
  // and creates it. Any failure leads back to the game form.
  Step Create() {
    const std::string folder = ChosenFolder();
    if (folder.empty()) {
      Tell("Please enter the folder for the new game", Buttons::kOk);
      return Step::kGame;
    }
    const std::string previous_path = session_.GamePath;
    session_.GamePath = folder;
    switch (PrepareGameFolder(session_)) {
      case GameFolder::kNotMade:
        Tell("Cannot create the folder " + folder, Buttons::kOk);
        session_.GamePath = previous_path;
        return Step::kGame;
      case GameFolder::kKept:
        session_.GamePath = previous_path;
        return Step::kGame;
      case GameFolder::kReady:
        break;
    }
    // The new game is held from its first byte on, and a game it replaces is not replaced
    // while another program has it open.
    if (!window_.program().TakeGame()) {
      session_.GamePath = previous_path;
      return Step::kGame;
    }
    game_form_.hide();
    if (CreateGameInFolder(session_, state_) != Proceed::kGoOn) {
      window_.program().ReleaseGame();
      return Step::kGame;
    }
    window_.program().state().GameActive = true;
    window_.GameDisplay();
    session_.ProceedOk = Proceed::kGoOn;
    return Step::kDone;
  }

  // The game form's folder as a directory, ending in a separator; empty when none is given.
  std::string ChosenFolder() const {
    std::string folder = game_form_.folder();
    if (!folder.empty() && !EndsWithSeparator(folder)) {
      folder += '/';
    }
    return folder;
  }

  static std::vector<int> GameFields() {
    std::vector<int> fields;
    for (int field = 1; field <= kGameFields; ++field) {
      fields.push_back(field);
    }
    return fields;
  }

  // The field that had the focus last, then `fields` in order; 0 when all are valid.
  static int FirstInvalid(SetupDialog& form, int last_field, const std::vector<int>& fields) {
    if (!form.Check(last_field)) {
      return last_field;
    }
    for (const int field : fields) {
      if (!form.Check(field)) {
        return field;
      }
    }
    return 0;
  }

  MainWindow& window_;
  Session& session_;
  SetupForms forms_;
  SetupState setup_;
  NewGameState state_;
  GameSetupDialog game_form_;
  BankSetupDialog bank_form_;
  EnvSetupDialog env_form_;
};

}  // namespace

void StartNewGame(MainWindow& window) {
  Session& session = window.program().session();
  window.SaveFirst();
  try {
    // The wizard keeps the opening books of every bank type; they live on the heap.
    auto wizard = std::make_unique<Wizard>(window);
    wizard->Run();
  } catch (const RuntimeError& error) {
    window.program().ReleaseGame();
    ReportRuntimeError(session, "NewGame Module", error.number());
    session.ProceedOk = Proceed::kStop;
  }
}

}  // namespace qv

// Key sequences on the calculator: every byte presses one of the 22 keys,
// through the button's click or through the handler inside the window's
// error frame. After every key the fields are finite, the operation is known,
// the display shows a text some key can produce, and any message box is a
// run-time error report or the division-by-zero warning.
#include <QLocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "calc/additions.h"
#include "calc/form1.h"
#include "calc/keys.h"
#include "common/application.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/runtime_error.h"
#include "common/tests/answered_dialogs.h"
#include "fuzz/fuzz_check.h"

namespace {

using calc::Form1;
using fuzz::Fail;
using fuzz::Format;

// Byte % 22 picks the key. The digits sit where their ASCII codes land
// ('0' is 48, 48 % 22 == 4), so a seed reads as its key sequence: digits,
// ". + - * / =" as themselves, X squares, Q takes the root, P adds 1, R takes
// 1 away, T is CE and U is C. An odd byte / 22 clicks the button, an even
// one calls the handler inside Run: "2+3=" types 2, clicks +, types 3, runs =.
// Each key's handler comes from the calculator's own key table.
constexpr const char* kKeys[22] = {
    "Square",  // X
    "Minus",   // -
    "Point",   // .
    "Divide",  // /
    "Num0",     "Num1", "Num2", "Num3", "Num4", "Num5", "Num6", "Num7", "Num8", "Num9",
    "P1",        // P
    "Sq",        // Q
    "Erase",     // R
    "Equal",     // =
    "CE",        // T
    "Clear",     // U
    "Multiple",  // *
    "Plus",      // +
};

struct Calculator {
  Form1 form;
  common::Label& display = form.GetLabel("Display");
  std::vector<common::MessageBoxRequest> boxes;
};

Calculator* calculator = nullptr;

// The texts a key may leave: unchanged (or a failed key), one digit or
// point more, "0" (CE, C, an operation), a single digit in place of "0", the
// result, or the typed number plus or minus 1.
bool IsExpectedDisplay(const std::string& shown, const std::string& before, const Form1& form) {
  if (shown == before || shown == "0") return true;
  if (before == "0" && shown.size() == 1 && shown[0] >= '1' && shown[0] <= '9') return true;
  if (shown.size() == before.size() + 1 && shown.starts_with(before) &&
      std::string_view("0123456789.").find(shown.back()) != std::string_view::npos)
    return true;
  if (shown == common::SignedNumberText(form.resultNum)) return true;
  for (const double step : {1.0, -1.0}) {
    try {
      const common::NumberFormat period = common::PeriodFormat();
      if (shown ==
          common::NumberText(common::CheckFloat(common::ToDouble(before, period) + step), period))
        return true;
    } catch (const common::RuntimeError&) {
    }
  }
  return false;
}

// The sequence as the keys' names, "(click)" where the button was clicked.
std::string KeyNames(std::string_view keys) {
  std::string names;
  for (const uint8_t byte : keys) {
    if (!names.empty()) names += ' ';
    names += kKeys[byte % 22];
    if ((byte / 22) % 2 == 1) names += "(click)";
  }
  return names;
}

bool IsFaultReport(const common::MessageBoxRequest& box) {
  if (box.title == "Calculator Error") return box.prompt == "Cannot divide by zero";
  if (box.title != "Calculator") return false;
  for (const common::Fault fault :
       {common::Fault::kOverflow, common::Fault::kTypeMismatch, common::Fault::kInvalidArgument,
        common::Fault::kDivisionByZero, common::Fault::kInvalidOperation}) {
    if (box.prompt == common::FaultText(fault)) return true;
  }
  return false;
}

void CheckState(const Calculator& calc, const std::string& before, size_t boxes_before,
                std::string_view keys) {
  const auto broken = [keys](const std::string& what) {
    Fail(what + "\nkeys: " + KeyNames(keys), keys);
  };
  const Form1& form = calc.form;
  if (!std::isfinite(form.firstNum) || !std::isfinite(form.secondNum) ||
      !std::isfinite(form.resultNum))
    broken(
        Format("a field is not finite: %g %g %g", form.firstNum, form.secondNum, form.resultNum));
  if (form.opCode < 0 || form.opCode > 4) broken(Format("opCode %d", form.opCode));
  const std::string& shown = calc.display.Caption();
  if (!IsExpectedDisplay(shown, before, form))
    broken("display \"" + shown + "\" after \"" + before + "\"");
  if (calc.boxes.size() > boxes_before + 1) broken("more than one message box for a key");
  if (calc.boxes.size() > boxes_before && !IsFaultReport(calc.boxes.back()))
    broken("message box \"" + calc.boxes.back().title + "\": " + calc.boxes.back().prompt);
}

}  // namespace

// Fontconfig keeps a few blocks to the end of the process on purpose.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // QApplication keeps references to these for its whole life. It and the
  // window are never destroyed: at exit, tearing down the application under
  // a window that still exists crashes in Qt.
  static int argc = 1;
  static char name[] = "calc_keys_fuzzer";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new common::Application(argc, argv);
  (void)app;
  // The C locale's separators ("." and ","), whatever the machine's are, so
  // that a saved crash replays the same everywhere.
  QLocale::setDefault(QLocale::c());
  calculator = new Calculator;
  auto answers = std::make_shared<common::AnsweredDialogs<>>();
  answers->messageBox = [](const common::MessageBoxRequest& request) {
    calculator->boxes.push_back(request);
    return common::kOkAnswer;
  };
  common::SetDialogs(calculator->form, answers);
  calc::Attach(calculator->form);
  calculator->form.Start();
  QCoreApplication::processEvents();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Calculator& calc = *calculator;
  Form1& form = calc.form;
  form.Run([&] { form.Clear_Click(); });
  calc.display.SetCaption("0");
  calc.boxes.clear();
  const std::string_view keys(reinterpret_cast<const char*>(data), size);
  for (const uint8_t byte : keys) {
    const calc::Key& key = *calc::KeyNamed(kKeys[byte % 22]);
    const std::string before = calc.display.Caption();
    const size_t boxes_before = calc.boxes.size();
    const auto fields = std::tuple(form.opCode, form.firstNum, form.secondNum, form.resultNum);
    const bool clicked = (byte / 22) % 2 == 1;
    if (clicked) {
      form.GetButton(key.control.name).click();
    } else {
      form.Run([&] { (form.*key.handler)(); });
    }
    CheckState(calc, before, boxes_before, keys);
    // A clicked key that fails changes nothing.
    const bool failed = calc.boxes.size() > boxes_before && calc.boxes.back().title == "Calculator";
    if (clicked && failed &&
        (calc.display.Caption() != before ||
         fields != std::tuple(form.opCode, form.firstNum, form.secondNum, form.resultNum)))
      Fail("a failed key changed the calculator\nkeys: " + KeyNames(keys), keys);
  }
  return 0;
}

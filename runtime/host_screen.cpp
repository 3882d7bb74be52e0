#include "runtime/host_screen.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>

#include "platform/automation/script.h"
#include "platform/forms/session.h"
#include "platform/forms/text_util.h"
#include "platform/shell/parent_menu.h"
#include "runtime/host/host_process.h"
#include "runtime/text_value.h"

namespace corvena::runtime {

namespace {

using automation::scriptWord;

// Long enough for a release completing a large batch; CORVENA_AUTOMATION_TIMEOUT (seconds) overrides.
constexpr std::chrono::milliseconds kDefaultAnswerTimeout{120000};

[[noreturn]] void raiseHostError(int code, const std::string& description) {
  throw forms::RuntimeError(HostObjectErrorBase + code, description);
}

std::string levelWord(std::string_view level) {
  const std::string text = Trim(level);
  if (forms::iequals(text, "Batch")) return "0";
  int number = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || number < 0)
    raiseHostError(automation::kErrObjectModel, "0 no level " + text + " on this screen");
  return text;
}

std::chrono::milliseconds answerTimeout() {
  const char* seconds = std::getenv("CORVENA_AUTOMATION_TIMEOUT");
  if (!seconds || Val(seconds) <= 0) return kDefaultAnswerTimeout;
  return std::chrono::milliseconds(static_cast<long>(Val(seconds) * 1000));
}

std::optional<signon::SignOnContext> callerSignOn() {
  if (const auto& given = host::hostProcess().signOn) return given;
  forms::Session* current = forms::currentSession();
  if (!current || !current->hasDatabase()) return std::nullopt;
  auto& s = *current;
  return signon::SignOnContext{s.pes().DBName.trimmed(), s.pes().UserId.trimmed(),
                              s.pes().CpnyID.trimmed(), s.businessDate()};
}

std::string withoutExe(std::string_view file) {
  std::string name(file);
  if (name.size() > 4 && forms::iequals(std::string_view(name).substr(name.size() - 4), ".exe"))
    name.resize(name.size() - 4);
  return name;
}

// A line the driven screen showed, into this screen's status log under the
// driven screen's name. A message box is a progress line: whether it stopped
// the work, the caller's own error line says.
void passBack(forms::Session& session, const std::string& program, const std::string& said) {
  int mode = forms::kStatusProgress;
  std::string_view text = said;
  if (said.starts_with("STATUS ")) mode = static_cast<int>(Val(said.substr(7)));
  const auto mark = said.find(said.starts_with("MESSAGE ") ? "): " : ": ");
  if (mark != std::string::npos) text.remove_prefix(mark + (said[mark] == ')' ? 3 : 2));
  session.messages().status(forms::kStatusWrite, 0, program + ": " + std::string(text), mode);
}

}  // namespace

std::string HostAmountText(double value) {
  char buffer[512];
  // Typed as a clerk would: 100000, never 1e+05.
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
  return std::string(buffer, end);
}

int hostErrorCode(const forms::RuntimeError& error) {
  return error.number() - HostObjectErrorBase;
}

HostProperty::HostProperty(HostScreen& screen, std::string control, std::string name)
    : screen_(&screen), control_(std::move(control)), name_(std::move(name)) {}

std::string HostProperty::PropertyValue() const {
  return screen_->propertyOf(control_, name_);
}

void HostProperty::PropertyValue(std::string_view value) const {
  screen_->request("setproperty " + scriptWord(control_) + " " + scriptWord(name_) + " " +
                   scriptWord(value));
}

HostProperty HostProperties::PropertyByName(std::string_view name) const {
  return HostProperty(*screen_, control_, std::string(name));
}

std::string HostControl::ControlValue() const {
  return screen_->valueOf(name_);
}

void HostControl::ControlValue(std::string_view text) const {
  screen_->request("set " + scriptWord(name_) + " " + scriptWord(text));
}

void HostControl::ControlValue(double value) const {
  ControlValue(std::string_view(HostAmountText(value)));
}

void HostControl::ControlValue(std::int16_t value) const {
  ControlValue(std::string_view(std::to_string(value)));
}

void HostControl::ControlValue(const HostControl& from) const {
  ControlValue(std::string_view(from.ControlValue()));
}

HostControl ScreenControlSet::ControlByName(std::string_view name) const {
  return HostControl(*screen_, std::string(name));
}

HostControl HostField(HostScreen& screen, std::string_view control) {
  return screen.ScreenControls().ControlByName(control);
}

std::string HostFieldProperty(HostScreen& screen, std::string_view control,
                              std::string_view property) {
  return HostField(screen, control).ControlProperties().PropertyByName(property).PropertyValue();
}

HostScreen::HostScreen(std::unique_ptr<automation::DrivenProcess> process)
    : process_(std::move(process)) {}

HostScreen::~HostScreen() = default;

std::string HostScreen::request(const std::string& line) {
  if (!process_) raiseHostError(automation::kErrObjectModel, "0 the screen was closed before: " + line);
  if (owedMove_) settleOwedMove(line);
  const bool changes = !line.starts_with("get ") && !line.starts_with("property ");
  if (changes) {
    values_.clear();
    nextRow_.reset();
  }
  automation::WireAnswer answer;
  typed_ = 0;
  try {
    answer = process_->request(line);
  } catch (const automation::ProcessLost& e) {
    process_.reset();
    raiseHostError(automation::kErrHostFailure, std::string("0 ") + e.what());
  }
  if (forms::Session* session = forms::currentSession()) {
    for (const auto& said : answer.said) passBack(*session, process_->program(), said);
    session->noteWork();
    // What the host screen saved is read next, by this screen's own cursors.
    if (changes) session->cursors().endReads();
  }
  typed_ = static_cast<std::size_t>(answer.typed);
  if (!answer.ok) raiseHostError(answer.number, answer.text);
  return answer.text;
}

std::string HostScreen::valueOf(const std::string& control) {
  const std::string key = forms::lower(control);
  if (const auto known = values_.find(key); known != values_.end()) return known->second;
  std::string value = request("get " + scriptWord(control));
  return values_[key] = std::move(value);
}

std::string HostScreen::propertyOf(const std::string& control, const std::string& name) {
  const std::string line = "property " + scriptWord(control) + " " + scriptWord(name);
  if (!forms::iequals(name, "Level")) return request(line);
  const std::string key = forms::lower(control);
  if (const auto known = levels_.find(key); known != levels_.end()) return known->second;
  std::string level = request(line);
  return levels_[key] = std::move(level);
}

// A walk from the first row starts wherever the row is, so the move owed
// before it changes nothing; anything else finds the screen on the row
// the caller was told it is on.
void HostScreen::settleOwedMove(const std::string& line) {
  const std::string level = *std::exchange(owedMove_, std::nullopt);
  if (line.starts_with("find " + level + " ") || line == "row " + level + " first" ||
      line == "grid " + level + " first")
    return;
  request("grid " + level + " next");
}

// A move answers with what a move on from there would answer and the values
// of the screen, the row's own first, which a walk reads next: all of them
// after a row move, those changed since the screen last told them after a find.
std::int16_t HostScreen::moveRow(const std::string& line, const std::string& level) {
  const std::string answer = request(line);
  std::vector<std::string> words;
  try {
    words = automation::splitWords(answer, 0);
  } catch (const automation::ScriptError&) {
    raiseHostError(automation::kErrObjectModel, "0 an answer this caller cannot read: " + answer);
  }
  if (words.size() < 3)
    raiseHostError(automation::kErrObjectModel, "0 an answer this caller cannot read: " + answer);
  const auto rowValues = static_cast<std::size_t>(Val(words[2]));
  auto& rowControls = rowControls_[level];
  for (std::size_t i = 3; i + 1 < words.size(); i += 2) {
    std::string key = forms::lower(words[i]);
    told_[key] = words[i + 1];
    if ((i - 3) / 2 < rowValues) rowControls.insert(std::move(key));
  }
  values_ = told_;
  nextRow_ = NextRow{level, static_cast<std::int16_t>(Val(words[1]))};
  return static_cast<std::int16_t>(Val(words[0]));
}

long HostScreen::processId() const {
  return process_ ? process_->pid() : 0;
}

std::int16_t HostScreen::stateOf(const std::string& line) {
  return static_cast<std::int16_t>(Val(request(line)));
}

void HostScreen::PrepareScreen(bool keep) {
  if (!keep) request("new 0");
}

void HostScreen::CloseScreen() {
  if (!process_) raiseHostError(automation::kErrObjectModel, "0 the screen was closed before");
  owedMove_.reset();
  process_->close();
  process_.reset();
}

void HostScreen::HandOver() {
  request(std::string(automation::kHandOver));
  process_->letGo();
  process_.reset();
}

void HostScreen::GridFirst(std::string_view level, std::int16_t& state) {
  const std::string word = levelWord(level);
  state = moveRow("row " + word + " first", word);
}

void HostScreen::GridNext(std::string_view level, std::int16_t& state) {
  const std::string word = levelWord(level);
  const bool answerable = nextRow_ && nextRow_->level == word && nextRow_->state != 1 && !owedMove_;
  if (!answerable) {
    state = moveRow("row " + word + " next", word);
    return;
  }
  state = std::exchange(nextRow_, std::nullopt)->state;
  if (state == 0) return;
  owedMove_ = word;
  for (const auto& control : rowControls_[word]) values_.erase(control);
}

void HostScreen::GridFind(std::string_view level, std::string_view control, std::string_view value,
                          std::int16_t& state,
                          const std::vector<std::pair<std::string, double>>& typed) {
  const std::string word = levelWord(level);
  std::string line = "find " + word + " " + scriptWord(control) + " " + scriptWord(value);
  for (const auto& [name, amount] : typed) line += " " + scriptWord(name) + " " + HostAmountText(amount);
  state = moveRow(line, word);
}

void HostScreen::TypeValues(const std::vector<std::pair<std::string, std::string>>& values) {
  std::string line = "set";
  for (const auto& [control, text] : values) line += " " + scriptWord(control) + " " + scriptWord(text);
  request(line);
}

void HostScreen::SaveScreen() {
  request("save");
}

void HostScreen::StartNewAtLevel(std::string_view level) {
  request("new " + levelWord(level));
}

void HostScreen::AbandonLevel(std::string_view level, std::int16_t& result) {
  result = 0;
  try {
    request("abandon " + levelWord(level));
  } catch (const forms::RuntimeError& e) {
    if (hostErrorCode(e) != automation::kErrRefused) throw;
    result = 1;
  }
}

std::string HostScreen::ScreenErrorText() {
  return request("get lErrorText");
}

void HostScreen::LevelEditState(std::string_view level, std::int16_t& state) {
  state = stateOf("editstate " + levelWord(level));
}

std::unique_ptr<HostScreen> StartAppAndAutomate(std::string_view programFile, std::int16_t& iErr,
                                                std::int32_t& lErr) {
  iErr = 0;
  lErr = 0;
  const auto signOn = callerSignOn();
  if (!signOn) {
    iErr = automation::kErrNotLoggedIn;
    return nullptr;
  }
  const auto path = shell::locateProgram(withoutExe(programFile), shell::programDirectories());
  if (!path) {
    iErr = automation::kErrOperatingSystem;
    lErr = ENOENT;
    return nullptr;
  }
  try {
    return std::make_unique<HostScreen>(
        automation::DrivenProcess::start(*path, signOn->toArguments(), answerTimeout()));
  } catch (const automation::StartFailure& failure) {
    iErr = static_cast<std::int16_t>(failure.code);
    lErr = static_cast<std::int32_t>(failure.detail);
    return nullptr;
  }
}

}  // namespace corvena::runtime

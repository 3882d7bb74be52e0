#include "platform/admin/users_rights.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/admin/directory_entry.h"
#include "platform/forms/session.h"

namespace corvena {
CORVENA_RECORD_LAYOUT(AdminUser, CORVENA_ADMINUSER_FIELDS)
CORVENA_RECORD_LAYOUT(AdminGroup, CORVENA_ADMINGROUP_FIELDS)
CORVENA_RECORD_LAYOUT(AdminRight, CORVENA_ADMINRIGHT_FIELDS)
}  // namespace corvena

namespace corvena::admin {

namespace {

// Text records pad with blanks, so a password's own trailing blanks cannot be told apart.
template <std::size_t N>
std::string unpadded(const Text<N>& text) {
  std::string_view v = text.view();
  while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
  return std::string(v);
}

// The lines as the clerk left them, without moving the grid's current line.
template <class R>
std::vector<R> linesOf(const forms::LineArray& lines) {
  std::vector<R> out;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines.line(i).state != forms::kLineDeleted)
      out.push_back(*static_cast<const R*>(lines.view(lines.line(i).data, 0).data));
  return out;
}

bool isScreenKey(const std::string& key) {
  return key == "*" || (key.size() == 5 && std::all_of(key.begin(), key.end(), [](char c) {
                          return std::isdigit(static_cast<unsigned char>(c));
                        }));
}

class UsersAndRights {
 public:
  explicit UsersAndRights(forms::Form& form) : session_(form.session()), form_(form) {
    form.onLoad([this] { load(); });
    form.control("cUserId").onValueDisplayed([this] { entryShown(); });
    form.control("cKind").onValueCheck([this](std::string& t) { return kindCheck(t); });
    form.control("cScreenNbr").onValueCheck([this](std::string& t) { return screenCheck(t); });
    form.control("cRights").onValueCheck([this](std::string& t) { return rightsCheck(t); });
    auto& update = form.control("Update1");
    update.onSaveLevel([this](int level) { return saveLevel(level); });
    update.onSaveCompleted([this](int, int) { saveCompleted(); });
    update.onDeleteRequested([this](int level) { return level == 0 ? removeShown() : 0; });
  }

 private:
  signon::UserDirectory directory() { return signon::UserDirectory(session_.database()); }
  std::string shownId() const { return bUser.UserId.trimmed(); }

  template <class R>
  void bind(int level, const char* name, R& record, R& null) {
    blankRecord(record);
    blankRecord(null);
    session_.bindRecord(level, name, record, null);
  }

  // The lines are kept through the directory, never by the framework's own writes.
  forms::LineArray* lines(forms::CursorHandle& cursor, int level, const char* grid,
                          RecordRef record) {
    session_.cursors().openCursor(cursor, level, grid, "");
    return session_.grids().detailSetup(cursor, form_.control(grid), nullptr, {record});
  }

  void load() {
    bind(0, "bUser", bUser, nUser);
    bind(1, "bGroup", bGroup, nGroup);
    bind(2, "bRight", bRight, nRight);
    groups_ = lines(groupCursor_, 1, "grdGroups", bGroup);
    rights_ = lines(rightCursor_, 2, "grdRights", bRight);
  }

  // A user or group recalled by its ID brings its lines; a password is never read back.
  void entryShown() {
    forgetPasswords();
    session_.grids().gridLoad(form_.control("grdGroups"));
    session_.grids().gridLoad(form_.control("grdRights"));
    session_.displayFields(form_.range(nullptr, nullptr));
  }

  int refuse(const std::string& text) {
    session_.messages().messageBox(text, forms::kStyleWarning, "Message");
    return forms::kSilentRefusal;
  }

  int kindCheck(const std::string& text) {
    auto users = directory();
    const std::string id = shownId();
    const bool onFile = users.hasUser(id) || users.isGroup(id);
    if (!onFile || text == bUser.Kind.trimmed()) return 0;
    return refuse(id + " is on file as a " + (bUser.Kind == "G" ? "group" : "user") +
                  ", and stays one: remove it first to use its ID for a " +
                  (text == "G" ? "group." : "user."));
  }

  int screenCheck(std::string& text) {
    std::string key = text;
    while (!key.empty() && key.back() == ' ') key.pop_back();
    if (key != "*") key = signon::screenKey(key);
    if (!isScreenKey(key))
      return refuse("Enter a screen by its program or number (QM18300, 0801000 or 18300), or * "
                    "for every screen.");
    text = key;
    return 0;
  }

  int rightsCheck(std::string& text) {
    if (auto problem = forms::rightsLettersProblem(text)) return refuse(*problem);
    text = forms::ScreenRights::fromLetters(text).letters();
    return 0;
  }

  DirectoryEntry shownEntry() const {
    DirectoryEntry e{shownId(), bUser.Kind == "G", bUser.UserName.trimmed(),
                     bUser.Administrator != 0, unpadded(bUser.Password), unpadded(bUser.Confirm)};
    for (const auto& g : linesOf<AdminGroup>(*groups_)) e.groups.push_back(g.GroupId.trimmed());
    for (const auto& r : linesOf<AdminRight>(*rights_))
      e.rights.push_back({e.id, r.ScreenNbr.trimmed(), r.Rights.trimmed()});
    return e;
  }

  int saveLevel(int level) {
    if (level != forms::kWholeSaveLevel) return 0;
    auto users = directory();
    const KeepOutcome kept = keepEntry(users, shownEntry());
    if (kept.refusal) return refuse(*kept.refusal);
    madeAdministrator_ = kept.madeAdministrator;
    if (madeAdministrator_) bUser.Administrator = 1;
    return 0;
  }

  void forgetPasswords() {
    bUser.Password = "";
    bUser.Confirm = "";
  }

  void saveCompleted() {
    forgetPasswords();
    session_.displayFields(form_.range(nullptr, nullptr));
    if (!std::exchange(madeAdministrator_, false)) return;
    session_.messages().messageBox(
        shownId() +
            " is the company's first user and so is made an administrator: "
            "from now on everyone signs on with a user ID and password, and only an "
            "administrator keeps users and rights.",
        forms::kStylePlain, "Message");
  }

  int removeShown() {
    auto users = directory();
    const auto refusal = removeEntry(users, shownEntry(), session_.pes().UserId.trimmed());
    return refusal ? refuse(*refusal) : 0;
  }

  forms::Session& session_;
  forms::Form& form_;
  AdminUser bUser{}, nUser{};
  AdminGroup bGroup{}, nGroup{};
  AdminRight bRight{}, nRight{};
  forms::CursorHandle groupCursor_, rightCursor_;
  forms::LineArray* groups_ = nullptr;
  forms::LineArray* rights_ = nullptr;
  bool madeAdministrator_ = false;
};

}  // namespace

std::shared_ptr<void> attachUsersAndRights(forms::Form& form, const std::vector<std::string>&) {
  return std::make_shared<UsersAndRights>(form);
}

}  // namespace corvena::admin

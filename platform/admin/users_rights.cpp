#include "platform/admin/users_rights.h"

#include <utility>

#include "platform/admin/directory_entry.h"
#include "platform/admin/effective_rights.h"
#include "platform/admin/screen_names.h"
#include "platform/forms/session.h"
#include "platform/forms/text_util.h"

namespace corvena {
CORVENA_RECORD_LAYOUT(AdminUser, CORVENA_ADMINUSER_FIELDS)
CORVENA_RECORD_LAYOUT(AdminMember, CORVENA_ADMINMEMBER_FIELDS)
CORVENA_RECORD_LAYOUT(AdminRight, CORVENA_ADMINRIGHT_FIELDS)
CORVENA_RECORD_LAYOUT(AdminEffective, CORVENA_ADMINEFFECTIVE_FIELDS)
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

// Lines the screen writes rather than the clerk types: they load unchanged.
template <class Fill>
void showLines(forms::Session& session, forms::LineArray& lines, std::size_t count, Fill fill) {
  std::vector<std::vector<char>> images;
  for (std::size_t i = 0; i < count; ++i) {
    fill(i);
    images.push_back(lines.capture());
  }
  lines.loadImages(std::move(images));
  lines.first();
  session.grids().redisplay(&lines);
}

class UsersAndRights {
 public:
  explicit UsersAndRights(forms::Form& form) : session_(form.session()), form_(form) {
    form.onLoad([this] { load(); });
    form.control("cUserId").onValueDisplayed([this] { entryShown(); });
    form.control("cKind").onValueCheck([this](std::string& t) { return kindCheck(t); });
    form.control("cScreenNbr").onValueCheck([this](std::string& t) { return screenCheck(t); });
    form.control("cScreenNbr").onPossibleValues(screenLookup);
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
    bind(1, "bMember", bMember, nMember);
    bind(2, "bRight", bRight, nRight);
    bind(3, "bEffective", bEffective, nEffective);
    members_ = lines(memberCursor_, 1, "grdGroups", bMember);
    rights_ = lines(rightCursor_, 2, "grdRights", bRight);
    effective_ = lines(effectiveCursor_, 3, "grdEffective", bEffective);
  }

  // A user or group recalled by its ID brings its lines; a password is never read back.
  void entryShown() {
    forgetPasswords();
    bUser.RenameTo = "";
    showKind(bUser.Kind == "G");
    session_.grids().gridLoad(form_.control("grdGroups"));
    session_.grids().gridLoad(form_.control("grdRights"));
    nameScreens();
    showEffective();
    session_.displayFields(form_.range(nullptr, nullptr));
  }

  // A group's rights are what its members get: it has no effective rights of its own.
  void showKind(bool group) {
    session_.setProperty(form_.control("frmGroups"), "caption",
                         group ? "Members of the Group" : "Member of Groups");
    session_.setProperty(form_.control("cMemberId"), "heading", group ? "User" : "Group");
    session_.setProperty(form_.control("frmEffective"), "visible", group ? "0" : "1");
  }

  // Rights are kept by key; the clerk reads them by the menu's number and caption.
  void nameScreens() {
    showLines(session_, *rights_, rights_->size(), [this](std::size_t i) {
      rights_->setPosition(static_cast<int>(i));
      const ScreenName screen = screenOfKey(bRight.ScreenNbr.trimmed());
      bRight.ScreenNbr = screen.number;
      bRight.Caption = screen.caption;
    });
  }

  void showEffective() {
    std::vector<EffectiveRight> rows;
    auto users = directory();
    if (bUser.Kind != "G" && users.hasUser(shownId())) rows = effectiveRights(users, shownId());
    showLines(session_, *effective_, rows.size(), [&](std::size_t i) {
      blankRecord(bEffective);
      bEffective.ScreenNbr = rows[i].screen.number;
      bEffective.Caption = rows[i].screen.caption;
      bEffective.Rights = rows[i].letters;
      bEffective.Source = rows[i].from;
    });
  }

  int refuse(const std::string& text) {
    session_.messages().messageBox(text, forms::kStyleWarning, "Message");
    return forms::kSilentRefusal;
  }

  int kindCheck(const std::string& text) {
    auto users = directory();
    const std::string id = shownId();
    const bool onFile = users.hasUser(id) || users.isGroup(id);
    if (onFile && text != bUser.Kind.trimmed())
      return refuse(id + " is on file as a " + (bUser.Kind == "G" ? "group" : "user") +
                    ", and stays one: remove it first to use its ID for a " +
                    (text == "G" ? "group." : "user."));
    showKind(text == "G");
    return 0;
  }

  int screenCheck(std::string& text) {
    const auto screen = screenTyped(forms::trimEnd(text));
    if (!screen)
      return refuse("Enter a screen of the menu by its program or number (QM18300, 0801000 or "
                    "18300), or * for every screen: F3 lists them.");
    text = screen->number;
    bRight.Caption = screen->caption;
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
    e.renameTo = bUser.RenameTo.trimmed();
    for (const auto& m : linesOf<AdminMember>(*members_))
      e.memberships.push_back(m.MemberId.trimmed());
    for (const auto& r : linesOf<AdminRight>(*rights_)) {
      const auto screen = screenTyped(r.ScreenNbr.trimmed());
      e.rights.push_back({e.id, screen ? screen->key : r.ScreenNbr.trimmed(), r.Rights.trimmed()});
    }
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

  // A renamed group is shown by its new ID; a user's effective rights follow the save.
  void saveCompleted() {
    if (!bUser.RenameTo.blank()) bUser.UserId = bUser.RenameTo.trimmed();
    entryShown();
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
  AdminMember bMember{}, nMember{};
  AdminRight bRight{}, nRight{};
  AdminEffective bEffective{}, nEffective{};
  forms::CursorHandle memberCursor_, rightCursor_, effectiveCursor_;
  forms::LineArray* members_ = nullptr;
  forms::LineArray* rights_ = nullptr;
  forms::LineArray* effective_ = nullptr;
  bool madeAdministrator_ = false;
};

}  // namespace

std::shared_ptr<void> attachUsersAndRights(forms::Form& form, const std::vector<std::string>&) {
  return std::make_shared<UsersAndRights>(form);
}

}  // namespace corvena::admin

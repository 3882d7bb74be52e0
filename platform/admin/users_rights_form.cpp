#include "platform/admin/users_rights.h"

namespace corvena::admin {

namespace {

using C = forms::ControlClass;

forms::ControlDesc field(C cls, const char* name, const char* fieldname, const char* heading) {
  return {.cls = cls, .name = name, .fieldname = fieldname, .level = "0", .heading = heading,
          .parent = "frmUser"};
}

forms::ControlDesc column(const char* grid, const char* name, const char* fieldname,
                          const char* heading, const char* level) {
  return {.cls = C::MaskedText, .name = name, .fieldname = fieldname, .level = level,
          .blankerr = true, .heading = heading, .parent = grid};
}

// What the screen shows and the clerk does not type.
forms::ControlDesc shown(const char* grid, const char* name, const char* fieldname,
                         const char* heading, const char* level) {
  auto c = column(grid, name, fieldname, heading, level);
  c.blankerr = false;
  c.enabled = false;
  return c;
}

std::vector<forms::ControlDesc> userControls() {
  std::vector<forms::ControlDesc> c{
      {.cls = C::Update, .name = "Update1", .levels = "User;N,Members;D,Rights;D,Effective;D"},
      {.cls = C::Frame, .name = "frmUser", .caption = "User or Group"},
      field(C::MaskedText, "cUserId", "bUser.UserId", "User or Group ID"),
      field(C::Combo, "cKind", "bUser.Kind", "Type"),
      field(C::MaskedText, "cUserName", "bUser.UserName", "Name"),
      field(C::Check, "cAdministrator", "bUser.Administrator", ""),
      field(C::MaskedText, "cPassword", "bUser.Password", "New Password"),
      field(C::MaskedText, "cConfirm", "bUser.Confirm", "Confirm Password"),
      field(C::MaskedText, "cRenameTo", "bUser.RenameTo", "Rename Group To"),
  };
  c[2].level = "0,k";
  c[2].blankerr = true;
  c[2].pv = c[2].dbnav = "SecGrantee_Nav";
  c[3].list = "U;User,G;Group";
  c[3].defaultValue = "U";
  c[5].caption = "Administrator (keeps users and rights, and has every right on every screen)";
  c[6].secret = c[7].secret = true;
  return c;
}

// A user's own rights stand over what the user may do through every group;
// the members' caption and heading follow the entry shown (a user's groups, a
// group's users). Captions come last, where a grid gives its room.
std::vector<forms::ControlDesc> lineControls() {
  return {
      {.cls = C::Frame, .name = "frmRights",
       .caption = "Rights by Screen (V view, I insert, U update, D delete, R release; "
                  "screen * for every screen)"},
      {.cls = C::Grid, .name = "grdRights", .level = "2",
       .dbnav = R"("SecRight_Grantee", "bUser.UserId"; 0; 0; 0; 0,)", .parent = "frmRights"},
      column("grdRights", "cScreenNbr", "bRight.ScreenNbr", "Screen", "2"),
      column("grdRights", "cRights", "bRight.Rights", "Rights", "2"),
      shown("grdRights", "cCaption", "bRight.Caption", "Caption", "2"),
      {.cls = C::Frame, .name = "frmEffective",
       .caption = "Effective Rights of the User, as Saved (own and every group's)"},
      {.cls = C::Grid, .name = "grdEffective", .level = "3", .parent = "frmEffective"},
      shown("grdEffective", "cEffScreenNbr", "bEffective.ScreenNbr", "Screen", "3"),
      shown("grdEffective", "cEffRights", "bEffective.Rights", "Rights", "3"),
      shown("grdEffective", "cEffSource", "bEffective.Source", "From", "3"),
      shown("grdEffective", "cEffCaption", "bEffective.Caption", "Caption", "3"),
      {.cls = C::Frame, .name = "frmGroups", .caption = "Member of Groups"},
      {.cls = C::Grid, .name = "grdGroups", .level = "1",
       .dbnav = R"("SecMember_Grantee", "bUser.UserId"; 0; 0; 0; 0,)", .parent = "frmGroups"},
      column("grdGroups", "cMemberId", "bMember.MemberId", "Group", "1"),
  };
}

}  // namespace

forms::FormDesc usersAndRightsForm() {
  forms::FormDesc d{.name = "Form1", .caption = "Users and Rights (98.100.00)"};
  for (const auto& group : {userControls(), lineControls()})
    d.controls.insert(d.controls.end(), group.begin(), group.end());
  return d;
}

}  // namespace corvena::admin

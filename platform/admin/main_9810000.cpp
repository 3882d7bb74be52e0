// 9810000, the host's Users and Rights: for administrators only.
#include "platform/admin/users_rights.h"
#include "platform/program/host_program.h"

int main(int argc, char** argv) {
  return corvena::program::runHostScreen(
      argc, argv,
      {"9810000", corvena::admin::usersAndRightsForm, corvena::admin::attachUsersAndRights, true});
}

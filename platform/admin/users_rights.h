#pragma once
// 98.100.00, Users and Rights: an administrator keeps the company's users (ID,
// name, administrator, a new password typed twice, groups), its groups (members,
// a new ID) and the rights of users and groups on screens, letters V I U D R by
// screen, "*" for every one; beside a user's own rights, what the user may do
// through every group. A save is kept whole or not at all.

#include <memory>
#include <string>
#include <vector>

#include "platform/db/record.h"
#include "platform/forms/form.h"

// Kind: U a user, G a group.
#define CORVENA_ADMINUSER_FIELDS(F)                                                    \
  F(TEXT, UserId, 20) F(TEXT, Kind, 1) F(TEXT, UserName, 40) F(INT16, Administrator, 0) \
  F(TEXT, Password, 64) F(TEXT, Confirm, 64) F(TEXT, RenameTo, 20)
// A user's group, or a group's member.
#define CORVENA_ADMINMEMBER_FIELDS(F) F(TEXT, MemberId, 20)
// A screen shows as the menu's number and caption; it is kept by its five-digit key.
#define CORVENA_ADMINRIGHT_FIELDS(F) F(TEXT, ScreenNbr, 9) F(TEXT, Caption, 80) F(TEXT, Rights, 10)
#define CORVENA_ADMINEFFECTIVE_FIELDS(F) \
  F(TEXT, ScreenNbr, 9) F(TEXT, Caption, 80) F(TEXT, Rights, 10) F(TEXT, Source, 200)

namespace corvena {
CORVENA_RECORD(AdminUser, CORVENA_ADMINUSER_FIELDS)
CORVENA_RECORD(AdminMember, CORVENA_ADMINMEMBER_FIELDS)
CORVENA_RECORD(AdminRight, CORVENA_ADMINRIGHT_FIELDS)
CORVENA_RECORD(AdminEffective, CORVENA_ADMINEFFECTIVE_FIELDS)
}  // namespace corvena

namespace corvena::admin {

forms::FormDesc usersAndRightsForm();
std::shared_ptr<void> attachUsersAndRights(forms::Form& form,
                                           const std::vector<std::string>& parameters);

}  // namespace corvena::admin

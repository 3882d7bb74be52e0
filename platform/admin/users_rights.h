#pragma once
// 98.100.00, Users and Rights: an administrator keeps the company's users (ID,
// name, administrator, a new password typed twice, groups) and the rights of
// users and groups on screens, letters V I U D R by screen, "*" for every one.
// A save is kept whole or not at all.

#include <memory>
#include <string>
#include <vector>

#include "platform/db/record.h"
#include "platform/forms/form.h"

// Kind: U a user, G a group.
#define CORVENA_ADMINUSER_FIELDS(F)                                                    \
  F(TEXT, UserId, 20) F(TEXT, Kind, 1) F(TEXT, UserName, 40) F(INT16, Administrator, 0) \
  F(TEXT, Password, 64) F(TEXT, Confirm, 64)
#define CORVENA_ADMINGROUP_FIELDS(F) F(TEXT, GroupId, 20)
// The screen as typed (QM18300, 0801000) is kept as its five-digit key.
#define CORVENA_ADMINRIGHT_FIELDS(F) F(TEXT, ScreenNbr, 7) F(TEXT, Rights, 10)

namespace corvena {
CORVENA_RECORD(AdminUser, CORVENA_ADMINUSER_FIELDS)
CORVENA_RECORD(AdminGroup, CORVENA_ADMINGROUP_FIELDS)
CORVENA_RECORD(AdminRight, CORVENA_ADMINRIGHT_FIELDS)
}  // namespace corvena

namespace corvena::admin {

forms::FormDesc usersAndRightsForm();
std::shared_ptr<void> attachUsersAndRights(forms::Form& form,
                                           const std::vector<std::string>& parameters);

}  // namespace corvena::admin

#pragma once
// A session with a small company database (items, a numbering table) made
// fresh per test, current for the test's life.

#include <gtest/gtest.h>

#include <memory>

#include "platform/db/tests/test_database.h"
#include "platform/forms/headless_ui.h"
#include "runtime/host/kelpapi.h"

#define KITEM_FIELDS(F) \
  F(TEXT, ItemId, 10) F(TEXT, Descr, 20) F(DATE, Added, 0) F(FLOAT, Price, 0) F(INT16, Qty, 0)

CORVENA_RECORD(KItem, KITEM_FIELDS)

namespace corvena::host::testing {

class KelpapiTest : public ::testing::Test {
 protected:
  KelpapiTest();
  forms::Session& session() { return *session_; }
  forms::HeadlessUi& ui() { return *ui_; }

  db::testing::ScratchDir dir_;
  db::testing::SchemaPath schema_;
  std::unique_ptr<forms::Session> session_;
  forms::HeadlessUi* ui_ = nullptr;
  std::unique_ptr<forms::SessionScope> scope_;
  KItem bItem{};
  KItem nItem{};
};

}  // namespace corvena::host::testing

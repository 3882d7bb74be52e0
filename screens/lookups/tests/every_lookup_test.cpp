// Every look-up of every screen, on the demo company: with the screen as a
// clerk has it before pressing F3 in the field, each row the list offers
// (first, middle, last), chosen as the desk chooses it (forms::lookupList, the
// row's value entered through the entry path), is a value the field accepts.
// A field the clerk cannot reach (display only) is named here as such.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/admin/users_rights.h"
#include "platform/ar/document_inquiry.h"
#include "platform/ar/invoice_entry.h"
#include "platform/ar/payment_entry.h"
#include "platform/automation/script_driver.h"
#include "platform/db/tests/test_database.h"
#include "platform/demo/demo_data.h"
#include "platform/forms/lookup_list.h"
#include "platform/program/host_program.h"
#include "runtime/screen_program.h"
#include "screens/customer/qm18100_program.h"
#include "screens/inquiry/qm18800.h"
#include "screens/payapp/payapp_form.h"
#include "screens/payapp/payapp_screen.h"
#include "screens/setup/qm18200.h"
#include "screens/setup/qm18200_form.h"
#include "screens/testing/screen_under_test.h"
#include "screens/transfer/transfer_form.h"
#include "screens/transfer/transfer_screen.h"

namespace corvena::testing {
namespace {

// A screen opened on the company, headless, and a script run on it.
class Opened {
 public:
  virtual ~Opened() = default;
  virtual forms::Session& session() = 0;
  virtual void run(const std::string& script) = 0;
  virtual std::string said() const { return out_.str(); }

 protected:
  std::ostringstream out_;
};

class ModuleScreen : public Opened {
 public:
  ModuleScreen(runtime::ScreenDefinition definition, const std::string& database)
      : screen_(std::move(definition), {database, "SYSADMIN", "DEMO", demo::kDemoToday.iso()}) {
    EXPECT_FALSE(screen_.ended()) << said();
  }
  ~ModuleScreen() override { screen_.close(0); }
  forms::Session& session() override { return screen_.session(); }
  void run(const std::string& script) override { screen_.run(script); }
  std::string said() const override { return screen_.output(); }

 private:
  screens::testing::ScreenUnderTest screen_;
};

class HostScreen : public Opened {
 public:
  HostScreen(const program::HostScreenProgram& program, const std::string& database)
      : scope_(session_),
        handlers_(program::openHostScreen(
            session_, {database, "SYSADMIN", "DEMO", demo::kDemoToday}, program)),
        driver_(session_, out_) {}
  forms::Session& session() override { return session_; }
  void run(const std::string& script) override { driver_.run(script); }

 private:
  forms::Session session_;
  forms::SessionScope scope_;
  std::shared_ptr<void> handlers_;
  automation::ScriptDriver driver_;
};

struct Screen {
  std::string program;
  std::function<std::unique_ptr<Opened>(const std::string&)> open;
  // What the clerk does before F3 in a field: the script for the field, else for "".
  std::map<std::string, std::string> before;
};

template <class Form, class Handlers>
Screen module(const char* program, Form form, Handlers handlers,
              std::map<std::string, std::string> before) {
  return {program,
          [=](const std::string& db) {
            return std::make_unique<ModuleScreen>(
                runtime::ScreenDefinition{.program = program,
                                          .form = form,
                                          .registerHandlers = [=](forms::Form& f) { handlers(f); }},
                db);
          },
          std::move(before)};
}

Screen host(program::HostScreenProgram program, std::map<std::string, std::string> before) {
  const std::string name = program.program;
  return {name,
          [=](const std::string& db) { return std::make_unique<HostScreen>(program, db); },
          std::move(before)};
}

std::vector<Screen> everyScreen() {
  const std::string lineDetail =
      "set cSrcCustId NATL-AUTO\nset cSrcRefNbr 000680\nline Spread1 new\nset cDestCustID "
      "AUTO-001\nset cDestAmt 10\nclick cmdDetailLines\nline Spread2 new\nset cAcct_2 7000\n";
  return {
      {"QM18100", [](const std::string& db) {
         return std::make_unique<ModuleScreen>(qm18100::QM18100Program(), db);
       },
       {{"", "set cPrimaryCustId NATL-HOTEL\nline Spread1 new\n"}}},
      module("QM18200", qm18200::QM18200Form, [](forms::Form& f) { qm18200::registerHandlers(f); },
             {}),
      module("QM18300", payapp::Form1Desc, [](forms::Form& f) { payapp::registerHandlers(f); },
             {{"", "set cCustId NATL-AUTO\nline Spread1 1\n"},
              {"cCMRefNbr", "set cCustId NATL-AUTO\nset cType CM\n"}}),
      module("QM18800", qm18800::QM18800Form, [](forms::Form& f) { qm18800::registerHandlers(f); },
             {{"", "set cCustomer NATL-HOTEL\n"},
              {"cInvcNbr", "set optSearchType I\n"},
              {"cCustomer2", "set optSearchType S\n"},
              {"cCheckNbr2", "set optSearchType S\nset cCustomer2 HOTEL-002\n"}}),
      module("QM18900", transfer::Form1Desc, [](forms::Form& f) { transfer::registerHandlers(f); },
             {{"", "set cSrcCustId NATL-AUTO\nline Spread1 new\n"},
              {"cProjectID_2", lineDetail},
              {"cTaskID_2", lineDetail + "set cProjectID_2 STORE-REFIT\n"},
              {"cCpnyID_2", lineDetail},
              {"cAcct_2", lineDetail},
              {"cSub_2", lineDetail},
              {"cTaxCat_2", lineDetail},
              {"cTaxIDDflt_2", lineDetail}}),
      host({"0801000", ar::invoiceEntryForm, ar::attachInvoiceEntry},
           {{"", "set cCustID NATL-AUTO\nline Spread1 new\n"}}),
      host({"0803000", ar::paymentEntryForm, ar::attachPaymentEntry},
           {{"", "set cCustID NATL-AUTO\n"}}),
      host({"0325000", ar::documentInquiryForm, ar::attachDocumentInquiry}, {}),
      host({"9810000", admin::usersAndRightsForm, admin::attachUsersAndRights, true},
           {{"cScreenNbr", "set cUserId CLERKS\nline grdRights new\n"}}),
  };
}

// Fields with a look-up that no clerk types in: they show what the screen put there.
const std::set<std::string> kDisplayOnly = {
    "QM18300.cCustid1", "QM18900.cARBatNbr", "QM18900.cARDMRefNbr", "QM18900.cARRefNbr"};

// Lists that offer rows the screen's own rule then refuses, saying why: every
// customer as a national account's parent or child (one in another national
// account is refused, naming it), every credit of the customer as a source
// (one other transfers hold whole is refused, naming them).
const std::set<std::string> kRuledOutByTheScreen = {
    "QM18100.cPrimaryCustId", "QM18100.cSecondaryCustId", "QM18900.cSrcRefNbr"};

std::vector<std::string> lookupFields(forms::Session& session) {
  std::vector<std::string> names;
  for (const auto& form : session.forms())
    for (const auto& c : form->controls())
      if (forms::hasLookup(*c)) names.push_back(c->name());
  return names;
}

std::string messages(forms::Session& session) {
  std::string out;
  for (const auto& m : dynamic_cast<forms::HeadlessUi&>(session.ui()).messages())
    out += "\n  " + m.text;
  return out;
}

std::vector<std::size_t> sampled(std::size_t rows) {
  std::set<std::size_t> at{0, rows / 2, rows - 1};
  return {at.begin(), at.end()};
}

class EveryLookup : public ::testing::Test {
 protected:
  EveryLookup() : path_(dir_.database("demo.db")) {
    auto db = db::Database::create(path_);
    demo::fillDemo(*db);
    // A group's grant, for the users and rights screen to list; with no user on
    // file, anyone signs on.
    db->exec("INSERT INTO SecRight (Grantee, ScreenNbr, Rights) VALUES ('CLERKS', '18300', 'VIU')");
  }

  // A transfer batch on file, for the transfer's batch look-up to list.
  void saveTransferBatch() {
    const Screen transfer = everyScreen()[4];
    auto screen = transfer.open(path_);
    screen->run("set cSrcCustId NATL-AUTO\nset cSrcRefNbr 000680\nsave\n");
    ASSERT_EQ(screen->said().find("REFUSED"), std::string::npos) << screen->said();
  }

  db::testing::ScratchDir dir_;
  std::string path_;
};

TEST_F(EveryLookup, EachRowOfferedIsAValueItsFieldAccepts) {
  saveTransferBatch();
  std::set<std::string> unreachable, ruledOut;
  int tried = 0;
  for (const Screen& screen : everyScreen()) {
    for (const std::string& field : lookupFields(screen.open(path_)->session())) {
      const std::string where = screen.program + "." + field;
      SCOPED_TRACE(where);
      auto opened = screen.open(path_);
      const auto before = screen.before.count(field) ? screen.before.at(field)
                          : screen.before.count("") ? screen.before.at("")
                                                    : std::string();
      opened->run(before);
      forms::Session& session = opened->session();
      forms::Control& control = session.control(field);
      if (!control.enabled() || !control.visible()) {
        unreachable.insert(where);
        continue;
      }
      const forms::LookupList list = forms::lookupList(session, control);
      ASSERT_FALSE(list.rows.empty()) << "nothing listed after:\n" << before << opened->said();
      for (std::size_t row : sampled(list.rows.size())) {
        const std::string value = list.value(row);
        if (session.enterValue(control, value)) continue;
        // Only the screen's own rule may refuse a value its list offers.
        EXPECT_EQ(session.lastErrorLevel(), forms::kSilentRefusal)
            << "row " << row << ", " << list.columns[list.valueColumn] << " " << value
            << messages(session);
        ruledOut.insert(where);
      }
      ++tried;
    }
  }
  EXPECT_EQ(unreachable, kDisplayOnly);
  EXPECT_EQ(ruledOut, kRuledOutByTheScreen);
  EXPECT_GE(tried, 25);
}

}  // namespace
}  // namespace corvena::testing

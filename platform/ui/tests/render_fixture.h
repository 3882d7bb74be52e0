#pragma once
// The renderer's own test screen: a delivery header (frame, combo, check box,
// option group, float, date, a disabled field, the same choice again as two
// single-value options in a frame) with its lines in a grid, over
// a fresh company database, drawn on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/record.h"
#include "platform/db/tests/test_database.h"
#include "platform/forms/session.h"
#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/qt_ui.h"
#include "platform/ui/tests/message_answerer.h"

#define UDELIVERY_FIELDS(F)                                                      \
  F(TEXT, DelivNbr, 8)                                                           \
  F(TEXT, Carrier, 10) F(TEXT, Status, 1) F(INT16, Insured, 0) F(TEXT, Speed, 1) \
      F(FLOAT, Weight, 0) F(DATE, ShipDate, 0) F(TEXT, Note, 20)
#define UPARCEL_FIELDS(F) F(TEXT, DelivNbr, 8) F(TEXT, ParcelRef, 5) F(FLOAT, Kilos, 0)

CORVENA_RECORD(UDelivery, UDELIVERY_FIELDS)
CORVENA_RECORD(UParcel, UPARCEL_FIELDS)

namespace corvena::ui::testing {

class RenderTest : public ::testing::Test {
 protected:
  RenderTest();
  ~RenderTest() override;

  forms::Control& control(const std::string& name) { return session_->control(name); }
  FormWindow& window() { return *window_; }
  FormView& view() { return *window_->view(); }
  QWidget* widget(const std::string& name) { return view().widgetFor(&control(name)); }
  std::string query(const std::string& sql);
  static void settle();
  // Keys as the clerk presses them, to the widget with the focus.
  static void type(const QString& text);
  static void press(int key);

  db::testing::ScratchDir dir_;
  db::testing::SchemaPath schema_;
  std::unique_ptr<forms::Session> session_;
  std::unique_ptr<forms::SessionScope> scope_;
  UDelivery delivery_{}, deliveryNull_{};
  UParcel parcel_{}, parcelNull_{};
  forms::CursorHandle deliveryCursor_, parcelCursor_;
  FormWindow* window_ = nullptr;
  std::unique_ptr<MessageAnswerer> answerer_;
};

}  // namespace corvena::ui::testing

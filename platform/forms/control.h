#pragma once
// Controls: a form declares each control once as data (ControlDesc); the
// session turns each into a live Control that carries the current property
// values, the resolved field binding and the registered handlers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/record.h"
#include "platform/forms/events.h"

namespace corvena::forms {

class Form;
struct BoundRecord;

enum class ControlClass {
  MaskedText,
  Combo,
  Check,
  OptionGroup,  // one control for the group; `list` gives "value;caption,..."
  Float,
  Date,
  Grid,
  Update,  // the update control: levels, save, delete, cancel, navigation
  Button,
  Label,
  Frame,
  Tab,        // a tab container (customisation)
  Container,  // a container for a control added at run time (customisation)
};

// The declared properties. Fields are in declaration order, so a screen writes
// designated initialisers: {.cls = ControlClass::MaskedText, .name = "cCustId", ...}.
struct ControlDesc {
  ControlClass cls = ControlClass::Label;
  std::string name;
  // "buffer.field", optionally followed by "; offset; type; length" which is ignored.
  std::string fieldname;
  // "N" or "N,k" (k marks a key field of level N). Empty: the field's SetAddr level.
  std::string level;
  // Mask characters: 9 digit, U upper-case letter or digit... (see mask.h).
  // Empty: any text up to the field's width.
  std::string mask;
  // Possible values: "proc" or "\"proc\", \"buffer.field\"; 0; 0; 0; 0, ..." (see proc_ref.h).
  std::string pv;
  // Navigation procedure, same syntax as pv.
  std::string dbnav;
  bool blankerr = false;  // a blank value is refused
  bool period = false;    // a fiscal period (YYYYPP) of the company's calendar
  // Default for a new record: a literal or "buffer.field".
  std::string defaultValue;
  bool enabled = true;
  bool visible = true;
  std::string heading;  // grid column heading / field description
  std::string caption;  // label, button, check, frame, form-like controls
  std::string list;     // combo and option group: "value;caption,value;caption"
  std::optional<double> min;
  std::optional<double> max;
  // "buffer.field;c;i": this control's field is kept equal to the sum of that
  // line field over all lines of the grid holding it.
  std::string trigger;
  int fieldclass = 0;
  std::string tag;
  std::string parent;  // the frame, tab or grid holding this control (a grid: a column)
  std::string levels;  // update control only: "Header;N,Detail;DA"
  int index = -1;      // element of a control array, -1 when not in one
  bool secret = false;  // a password: shown as stars, never as typed
  // A figure the clerk watches while working the lines (a total, the amount
  // left to apply): a window keeps it in view when the form scrolls.
  bool keptInView = false;
};

struct ListItem {
  std::string value;
  std::string caption;
};
// Parses "O;Open,P;Partially Released" (an item without ';' is its own caption).
std::vector<ListItem> parseList(std::string_view list);

class Control {
 public:
  Control(Form& form, ControlDesc desc);

  Form& form() const { return *form_; }
  const ControlDesc& desc() const { return desc_; }
  const std::string& name() const { return desc_.name; }
  ControlClass cls() const { return desc_.cls; }
  int index() const { return desc_.index; }

  bool enabled() const { return desc_.enabled; }
  bool visible() const { return desc_.visible; }
  // The control's level (from `level`, else its record's SetAddr level; 15 unbound).
  int level() const;
  bool isKey() const;
  bool isGridColumn() const;
  bool bound() const { return !bufferName().empty(); }
  const std::string& bufferName() const;  // "bxnaheader" from "bxnaheader.custid"
  const std::string& fieldName() const;   // "custid"

  // Properties by name, case-insensitive, as text: "enabled", "visible", "pv",
  // "dbnav", "mask", "caption", "heading", "list", "default", "blankerr", "period", "min",
  // "max", "tag", "level", "trigger", "fieldclass", "fieldname", "levels".
  // Booleans read "1"/"0" and take "1", "-1", "true" or "0", "false".
  // Throws RuntimeError for an unknown property.
  std::string property(std::string_view name) const;
  void setProperty(std::string_view name, std::string_view value);

  // Handlers, one per event; registering again replaces the previous one.
  // A grid's click is a double-click on one of its lines, the line made current.
  Control& onValueCheck(ValueCheckHandler h);
  Control& onValueDisplayed(ValueDisplayedHandler h);
  Control& onClick(ClickHandler h);
  Control& onLineChange(LineHandler h);
  Control& onLineCheck(LineHandler h);
  Control& onSaveLevel(SaveLevelHandler h);
  Control& onSaveCompleted(SaveCompletedHandler h);
  Control& onDeleteRequested(DeleteRequestedHandler h);
  Control& onLevelReset(LevelResetHandler h);
  Control& onCancelRequested(CancelRequestedHandler h);
  Control& onNewRequested(NewRequestedHandler h);
  Control& onPossibleValues(PossibleValuesHandler h);
  const ControlHandlers& handlers() const { return handlers_; }

 private:
  friend class Form;
  // The field name split once, again only when it changes: screens ask for it
  // on every value shown.
  struct FieldRef {
    std::string source, buffer, field;
  };
  const FieldRef& fieldRef() const;

  Form* form_;
  ControlDesc desc_;
  ControlHandlers handlers_;
  mutable FieldRef ref_;
};

}  // namespace corvena::forms

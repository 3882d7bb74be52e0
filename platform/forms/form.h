#pragma once
// A form: declared once as data (FormDesc), loaded into a session as a live
// Form whose controls keep declaration order (ranges "from cName to cPhone"
// follow it).

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/events.h"

namespace corvena::forms {

class Session;

struct FormDesc {
  std::string name;
  std::string caption;
  std::vector<ControlDesc> controls;
  // The button that asks for a file to import, which a script's import clicks.
  std::string importButton = {};
};

class Form {
 public:
  Form(Session& session, const FormDesc& desc, long windowHandle);

  Session& session() const { return *session_; }
  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  long windowHandle() const { return windowHandle_; }
  const std::string& importButton() const { return importButton_; }
  bool shown() const { return shown_; }
  bool loaded() const { return loaded_; }

  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  // By name, case-insensitive; for a control array, element `index`.
  Control* find(std::string_view name, int index = -1) const;
  // As find, but throws RuntimeError when there is none.
  Control& control(std::string_view name) const;
  // The form's update control, or nullptr.
  Control* updateControl() const;
  // Controls from first to last in declaration order; the update control (or a
  // null pointer) at either end stands for the whole form.
  std::vector<Control*> range(const Control* first, const Control* last) const;
  // Columns of a grid, in declaration order.
  std::vector<Control*> columns(const Control& grid) const;

  // Loads element `index` of the control array `name` (a copy of its element 0,
  // hidden, in the same container). Throws RuntimeError when there is no array.
  Control& loadArrayElement(std::string_view name, int index);
  void unloadControl(Control& control);

  Form& onLoad(FormHandler h);
  Form& onUnload(FormHandler h);
  const FormHandler& loadHandler() const { return onLoad_; }
  const FormHandler& unloadHandler() const { return onUnload_; }

 private:
  friend class Session;
  Session* session_;
  std::string name_;
  std::string caption_;
  std::string importButton_;
  long windowHandle_;
  bool shown_ = false;
  bool loaded_ = true;
  std::vector<std::unique_ptr<Control>> controls_;
  FormHandler onLoad_;
  FormHandler onUnload_;
};

}  // namespace corvena::forms

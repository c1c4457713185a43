#pragma once
// Applying a stored description to a root component (a form).
//
// The root takes the description's name and properties; every nested object is created by its
// class name (see RegisterClass and TComponent::BindField) with the root as owner, named, put
// into its parent (SetParentComponent) and given its properties; references to components by
// name are resolved once everything exists; handlers are bound by name (TComponent::BindMethod);
// finally every component read gets Loaded(), the root first.
//
//   ReadComponentFromText(form, text);     // throws EReadError naming the object and property
#include "ui/core/form_text.h"

#include <string_view>

namespace vela::ui {

class TComponent;

void ReadComponent(TComponent* root, const TFormObject& description);
void ReadComponentFromText(TComponent* root, std::string_view text);

} // namespace vela::ui

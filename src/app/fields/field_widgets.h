#pragma once
// The widget behind one control of the field catalogue: a line edit, a list
// or a check box that carries the control's name, field number, length limit,
// key filter and hint; and the conversions between a widget and the value the
// editor settings keep for it.

#include <QObject>
#include <QString>

#include "codeplug/editor_settings.h"
#include "codeplug/field_catalogue.h"

class QWidget;

namespace rer {

// The dynamic property that holds a control's field number.
inline constexpr char kFieldNumberProperty[] = "fieldNumber";

// Creates the widget of `entry` (objectName = the control's name). Check boxes
// carry their caption (or their label when they have none) beside the box.
QWidget* CreateFieldWidget(const ControlEntry& entry, QWidget* parent);

// The field number a widget carries; kNoFieldNumber when it has none.
int FieldNumberOf(const QWidget& widget);

// Shows `value` in the widget of `entry` without reporting a change.
void ShowFieldValue(QWidget& widget, const ControlEntry& entry, const ControlValue& value);

// The value the widget of `entry` now shows. A list without a selection keeps
// the index it was given (which may lie outside its items); a check box that
// is ticked keeps a higher state it was given.
ControlValue ReadFieldValue(const QWidget& widget, const ControlEntry& entry,
                            const ControlValue& previous);

// Whether a typed character passes the key filter. Backspace always passes.
bool KeyFilterAccepts(KeyFilter filter, QChar typed);

// Drops the keys a field's filter refuses; one instance serves every field.
class FieldKeyFilter : public QObject {
 public:
  explicit FieldKeyFilter(QObject* parent = nullptr) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The Qt input mask for a masked field's edit mask ("999.9999;1; ").
QString InputMaskOf(std::string_view editMask);

}  // namespace rer

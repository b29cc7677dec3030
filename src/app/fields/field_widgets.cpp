#include "app/fields/field_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QValidator>

#include "codeplug/key_filter.h"

namespace rer {
namespace {

// The dynamic property that tells the shared key filter which keys a field takes.
constexpr char kKeyFilterProperty[] = "keyFilter";
constexpr QChar kBackspace = QChar(0x08);

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The longest text a read-only field is given: a FLEX address of frame,
// battery cycle, letter and a ten-digit capcode.
constexpr int kLongestComputedText = 15;

// Character widths of the text fields, so that a field is as wide as what it holds.
int TextWidthFor(const QWidget& widget, int characters) {
  const int shown = std::max(characters, 2);
  return widget.fontMetrics().horizontalAdvance(QString(shown, QChar('W'))) * 3 / 4 + 12;
}

// Turns what is typed into capitals as it is typed.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*position*/) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

KeyFilter FilterOf(const QObject& object) {
  const QVariant value = object.property(kKeyFilterProperty);
  return value.isValid() ? static_cast<KeyFilter>(value.toInt()) : KeyFilter::None;
}

}  // namespace

QString InputMaskOf(std::string_view editMask) {
  // Our masks use '9' for a digit that may be left blank; Qt spells it '0'.
  QString mask = Q(editMask.substr(0, editMask.find(';')));
  mask.replace('9', '0');
  return mask + "; ";
}

QWidget* CreateFieldWidget(const ControlEntry& entry, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (entry.kind) {
    case ControlKind::Text:
    case ControlKind::MaskedText: {
      auto* edit = new QLineEdit(parent);
      if (entry.kind == ControlKind::MaskedText && !entry.editMask.empty()) {
        edit->setInputMask(InputMaskOf(entry.editMask));
      }
      if (entry.maxLength > 0) {
        // A read-only field shows what the program computes, which can be
        // longer than its nominal length (the FLEX text of a long capcode
        // with its frame prefix): it is never cut, and it is wide enough.
        if (!entry.readOnly) edit->setMaxLength(entry.maxLength);
        const int shown =
            entry.readOnly ? std::max(entry.maxLength, kLongestComputedText) : entry.maxLength;
        edit->setFixedWidth(TextWidthFor(*edit, shown));
      }
      edit->setReadOnly(entry.readOnly);
      if (entry.readOnly) {
        // A computed text is read, never edited: it looks like the window
        // behind it and the Tab key passes it by.
        edit->setFocusPolicy(Qt::NoFocus);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
      }
      if (entry.upperCase) edit->setValidator(new UpperCaseValidator(edit));
      if (entry.keyFilter != KeyFilter::None) {
        edit->setProperty(kKeyFilterProperty, static_cast<int>(entry.keyFilter));
      }
      widget = edit;
      break;
    }
    case ControlKind::List: {
      auto* list = new QComboBox(parent);
      for (std::string_view item : entry.items) list->addItem(Q(item));
      list->setCurrentIndex(-1);
      list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      widget = list;
      break;
    }
    case ControlKind::CheckBox: {
      // "&" in a caption is shown, not taken as an access-key mark.
      auto* box = new QCheckBox(
          Q(entry.caption.empty() ? entry.label : entry.caption).replace('&', "&&"), parent);
      widget = box;
      break;
    }
  }
  widget->setObjectName(QString::fromStdString(entry.name));
  widget->setProperty(kFieldNumberProperty, entry.fieldNumber);
  if (!entry.hint.empty()) widget->setToolTip(Q(entry.hint));
  return widget;
}

int FieldNumberOf(const QWidget& widget) {
  const QVariant value = widget.property(kFieldNumberProperty);
  return value.isValid() ? value.toInt() : kNoFieldNumber;
}

void ShowFieldValue(QWidget& widget, const ControlEntry& entry, const ControlValue& value) {
  const QSignalBlocker quiet(&widget);
  switch (entry.kind) {
    case ControlKind::Text:
    case ControlKind::MaskedText:
      static_cast<QLineEdit&>(widget).setText(QString::fromStdString(value.text));
      break;
    case ControlKind::List: {
      auto& list = static_cast<QComboBox&>(widget);
      // An index the list does not hold shows as no selection.
      list.setCurrentIndex(value.number >= 0 && value.number < list.count() ? value.number : -1);
      break;
    }
    case ControlKind::CheckBox:
      static_cast<QCheckBox&>(widget).setChecked(value.number != 0);
      break;
  }
}

ControlValue ReadFieldValue(const QWidget& widget, const ControlEntry& entry,
                            const ControlValue& previous) {
  ControlValue value = previous;
  switch (entry.kind) {
    case ControlKind::Text:
    case ControlKind::MaskedText:
      value.text = static_cast<const QLineEdit&>(widget).text().toStdString();
      break;
    case ControlKind::List: {
      const int index = static_cast<const QComboBox&>(widget).currentIndex();
      if (index >= 0) value.number = index;
      break;
    }
    case ControlKind::CheckBox: {
      const bool checked = static_cast<const QCheckBox&>(widget).isChecked();
      if (!checked) {
        value.number = 0;
      } else if (previous.number == 0) {
        value.number = 1;
      }
      break;
    }
  }
  return value;
}

bool KeyFilterAccepts(KeyFilter filter, QChar typed) {
  return KeyFilterAcceptsKey(filter, typed.unicode());
}

bool FieldKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const KeyFilter filter = FilterOf(*watched);
  if (filter == KeyFilter::None) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (filter == KeyFilter::YesNoOverwrite) {
    // These one-letter fields can only be overwritten, never emptied.
    if (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace ||
        key->key() == Qt::Key_Escape) {
      return true;
    }
  }
  const QString text = key->text();
  // Keys without text (arrows, Tab, function keys) are not typing.
  if (text.size() != 1 || (!text[0].isPrint() && text[0] != kBackspace)) return false;
  if (!KeyFilterAccepts(filter, text[0])) return true;
  if (filter == KeyFilter::YesNoOverwrite) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) edit->selectAll();
  }
  return false;
}

}  // namespace rer

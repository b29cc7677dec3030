#include "app/platform/port_list.h"

#include <QSerialPortInfo>

namespace rer {

QStringList AvailablePortDisplayNames() {
  QStringList names;
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
    names << PortDisplayName(port.description(), port.portName());
  return names;
}

QString PortDisplayName(const QString& description, const QString& portName) {
  const QString trimmed = description.trimmed();
  return trimmed.isEmpty() ? "(" + portName + ")" : trimmed + " (" + portName + ")";
}

QString PortNameOfDisplayName(const QString& displayName) {
  const qsizetype close = displayName.lastIndexOf(')');
  if (close < 0) return {};
  const qsizetype open = displayName.lastIndexOf('(', close);
  if (open < 0) return {};
  return displayName.mid(open + 1, close - open - 1).trimmed();
}

}  // namespace rer

#pragma once
// The machine's serial ports as the setup dialog lists them: display names of
// the form "description (portName)", and the port name taken back from one.

#include <QString>
#include <QStringList>

namespace rer {

// Display names of the ports the system reports, in the order it reports them.
QStringList AvailablePortDisplayNames();

// "description (portName)"; a port without a description is named by its
// name alone inside the parentheses.
QString PortDisplayName(const QString& description, const QString& portName);

// The port name inside the last parentheses of a display name, or "" when
// the text has none (a typed device path, for instance).
QString PortNameOfDisplayName(const QString& displayName);

}  // namespace rer

#pragma once
// What the program keeps of one run for the next, in the settings store beside the user
// settings: the ports last chosen for the main window's link ("port") and the calibration
// wizard's links to the meter ("calibPort") and the reference instrument ("referencePort"),
// and the folder last used for each kind of file. The language and the recording step are not
// kept.
#include <QString>

namespace Remembered {
inline const QString MainPort = QStringLiteral("port");
inline const QString CalibPort = QStringLiteral("calibPort");
inline const QString ReferencePort = QStringLiteral("referencePort");
inline const QString DataFolder = QStringLiteral("dataFolder");
inline const QString ParameterFolder = QStringLiteral("parameterFolder");
inline const QString CsvFolder = QStringLiteral("csvFolder");

// The kept value; empty when there is none.
QString value(const QString &key);
void keep(const QString &key, const QString &value);
} // namespace Remembered

#pragma once
// Windows-1250, the Central European code page of the meter's own platform: bytes below 0x80
// are ASCII, the upper half comes from one table used both ways. Its five unassigned bytes
// stand for the control characters of the same value, so every byte has a character and
// reads back to itself.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

QString FromWindows1250(QByteArrayView bytes);

// Text files of either age: UTF-8 when the bytes are UTF-8, Windows-1250 otherwise.
QString FromUtf8OrWindows1250(QByteArrayView bytes);

// Empty when the text holds a character that Windows-1250 has no byte for.
std::optional<QByteArray> ToWindows1250(QStringView text);

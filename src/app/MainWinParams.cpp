// The service panel's commands to the meter (parameter cells written with command frames),
// its other buttons, and the parameter files.
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "calib/KalibracjaMain.h"
#include "core/Messages.h"
#include "core/RegularFile.h"
#include "files/WholeFile.h"
#include "params/CellRows.h"
#include "params/CommandWrite.h"
#include "params/Conversions.h"
#include "params/ParameterFile.h"
#include "params/ParameterMessages.h"
#include "serial/CPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QThread>
#include <QWindow>
#include <stdexcept>

namespace {
// The meter needs this long after the last cell before it stores them in EEPROM.
constexpr unsigned long StorePauseMs = 500;

// While the whole parameter set goes out the window takes no input: a wait cursor, the
// progress in the status bar, and the user's clicks and keys for the main window swallowed,
// also those that arrive during the blocking pauses and would otherwise be handled after
// the send. Message boxes shown meanwhile stay usable.
class SendInProgress : public QObject {
public:
    SendInProgress(QWidget *window, QLabel *status)
        : window_(window)
        , status_(status)
        , previousStatus_(status->text())
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        qApp->installEventFilter(this);
    }
    ~SendInProgress() override
    {
        // Input that queued up during the send is taken out of the queue and dropped here.
        QCoreApplication::processEvents();
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
        status_->setText(previousStatus_);
    }
    SendInProgress(const SendInProgress &) = delete;
    SendInProgress &operator=(const SendInProgress &) = delete;

    void progress(const QString &text)
    {
        status_->setText(text);
        status_->repaint();
    }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (!isInput(event->type()))
            return false;
        if (auto *widget = qobject_cast<QWidget *>(receiver))
            return widget->window() == window_;
        if (auto *window = qobject_cast<QWindow *>(receiver))
            return window == window_->windowHandle();
        return false;
    }

private:
    static bool isInput(QEvent::Type type)
    {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }

    QWidget *window_;
    QLabel *status_;
    QString previousStatus_;
};

// One row of the whole send. False when the send has to stop there.
bool sendRow(TMainWin &win, const CellRow &row, const ParameterTexts &texts)
{
    const QString text
        = row.constant != nullptr ? QString::fromLatin1(row.constant) : texts[row.source];
    switch (row.conversion) {
    case CellConversion::Gain:
        win.SendGain(text, row.address);
        return true;
    case CellConversion::Integer:
        win.SendValue(text, row.address);
        return true;
    case CellConversion::CorrectionCoefficient:
        if (const std::optional<std::int16_t> value = CorrectionCellValue(text))
            win.SendValue(QString::number(*value), row.address);
        else
            ShowMessage(&win, CorrectionCoefficientMessage());
        return true;
    case CellConversion::FilterGain:
        win.SendFilterGain(text, row.address);
        return true;
    case CellConversion::PhasePair:
        win.SendPhasePair(text, texts[row.second], row.address);
        return true;
    case CellConversion::ProbeThreshold:
        return win.SendProbeThreshold(text, row.address);
    }
    return true;
}

QString askParameterFile(QWidget *parent, bool forSaving)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Pliki kalibracyjne Nerix 3.0 (*.N3C)"));
    dialog.setDefaultSuffix(QStringLiteral("N3C"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

void TMainWin::SendCell(std::optional<std::uint16_t> value, const QString &shown, int address)
{
    const bool wasOpen = portOpen();
    try {
        if (!value)
            throw std::invalid_argument("not a number");
        WriteCommandFrame(*ComPort1, 'C', static_cast<std::uint8_t>(address), *value);
        QThread::msleep(kCellPauseMs);
    } catch (const std::exception &) {
        // A write that found the meter gone has closed the port, which reported the loss
        // once; any other failure is this cell's own.
        if (!wasOpen || portOpen())
            ShowMessage(this, CannotSendMessage(shown, address));
    }
}

void TMainWin::SendValue(const QString &text, int address)
{
    if (!text.isEmpty())
        SendCell(IntegerCellValue(text), text, address);
}

void TMainWin::SendGain(const QString &text, int address)
{
    if (!text.isEmpty())
        SendCell(GainCellValue(text), WithDecimalPoint(text), address);
}

void TMainWin::SendFilterGain(const QString &text, int address)
{
    if (text.isEmpty())
        return;
    const std::optional<std::int16_t> value = FilterGainCellValue(text);
    if (!value) {
        ShowMessage(this, FilterFormatMessage(text));
        return;
    }
    SendValue(QString::number(*value), address);
}

bool TMainWin::SendProbeThreshold(const QString &text, int address)
{
    if (text.isEmpty())
        return true;
    const std::optional<std::int32_t> millivolts = ParseInteger(text);
    if (!millivolts) {
        ShowMessage(this, ProbeThresholdNotANumberMessage(text));
        return false;
    }
    const std::optional<std::uint16_t> value = ProbeThresholdCellValue(*millivolts);
    if (!value) {
        ShowMessage(this, ProbeThresholdRangeMessage());
        return true;
    }
    SendCell(value, text, address);
    return true;
}

void TMainWin::SendPhasePair(const QString &low, const QString &high, int address)
{
    if (low.isEmpty() || high.isEmpty())
        return;
    const std::optional<std::uint8_t> lowByte = PhaseByte(low);
    const std::optional<std::uint8_t> highByte = PhaseByte(high);
    if (!lowByte || !highByte)
        return;
    SendCell(
        static_cast<std::uint16_t>(*lowByte | *highByte << 8), QString::number(*lowByte), address);
}

void TMainWin::SendCommand(const QString &text)
{
    const bool wasOpen = portOpen();
    try {
        const char letter = text.isEmpty() ? '\0' : static_cast<char>(text.at(0).toLatin1());
        WriteCommandFrame(*ComPort1, letter, 0, 0);
    } catch (const std::exception &) {
        if (!wasOpen || portOpen())
            ShowMessage(this, CommandFailedMessage());
    }
}

void TMainWin::WyslijClick()
{
    try {
        SendInProgress busy(this, StatusPanel1);
        const ParameterTexts texts = Send->Texts();
        const auto &rows = CellRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            busy.progress(
                QString::fromUtf8("Wysyłanie komórki %1 z %2").arg(i + 1).arg(rows.size()));
            // A lost link ends the send at once; the loss has been reported.
            if (!sendRow(*this, rows[i], texts) || !portOpen())
                return;
        }
        if (Send->SaveEPROM->isChecked()) {
            busy.progress(QString::fromUtf8("Zapisywanie parametrów w EEPROM"));
            QThread::msleep(StorePauseMs);
            SendCommand(QStringLiteral("S"));
        }
    } catch (const std::exception &e) {
        ShowMessage(this, SendStoppedMessage(e.what()));
    }
}

void TMainWin::Button4Click()
{
    const std::optional<std::int32_t> address = ParseInteger(Send->DWPole->text());
    if (!address) {
        ShowMessage(this, BadDataMessage());
        return;
    }
    SendValue(Send->DWWartosc->text(), *address & 0xFF);
}

void TMainWin::OdbierzClick()
{
    Send->ClearParameters();
}

void TMainWin::SondyDblClick()
{
    const int column = Send->Sondy->currentColumn();
    const int row = Send->Sondy->currentRow();
    if (kKalibracja == nullptr || column < 1 || column > 4 || row < 1 || row > 2)
        return;
    const bool linkWasOpen = portOpen();
    if (linkWasOpen) {
        try {
            ComPort1->Close();
        } catch (const std::exception &) {
        }
        SetDisconnectedControls();
        if (portOpen()) {
            // Not closed yet: one more close, and the user double-clicks again.
            try {
                ComPort1->Close();
            } catch (const std::exception &) {
            }
            return;
        }
    }
    kKalibracja->SetTarget(column - 1, row, linkWasOpen);
    hide();
    kKalibracja->show();
}

void TMainWin::ZapiszParametryClick()
{
    const QString path
        = ParameterFileChooser ? ParameterFileChooser(true) : askParameterFile(this, true);
    if (!path.isEmpty())
        SaveParameters(path);
}

void TMainWin::OtworzParametryClick()
{
    const QString path
        = ParameterFileChooser ? ParameterFileChooser(false) : askParameterFile(this, false);
    if (!path.isEmpty())
        LoadParameters(path);
}

bool TMainWin::SaveParameters(const QString &path)
{
    if (!WriteWholeFile(path, ParameterFileBytes(Send->Texts()))) {
        ShowMessage(this, ParameterFileWriteMessage());
        return false;
    }
    return true;
}

bool TMainWin::LoadParameters(const QString &path)
{
    QFile file;
    std::optional<ParameterTexts> texts;
    if (OpenRegularFile(file, path)) {
        const QByteArray bytes = file.read(MaxParameterFileBytes + 1);
        if (file.error() == QFileDevice::NoError)
            texts = ParseParameterFile(bytes);
    }
    if (!texts) {
        ShowMessage(this, ParameterFileReadMessage());
        return false;
    }
    Send->SetTexts(*texts);
    return true;
}

// The service panel's commands to the meter (parameter cells written with command frames),
// its other buttons, and the parameter files.
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "calib/KalibracjaMain.h"
#include "core/Messages.h"
#include "core/RegularFile.h"
#include "core/Remembered.h"
#include "files/DataFileDialog.h"
#include "files/WholeFile.h"
#include "params/CellRows.h"
#include "params/Conversions.h"
#include "params/ParameterFile.h"
#include "params/ParameterMessages.h"
#include "params/ParameterSender.h"
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

QString askParameterFile(QWidget *parent, bool forSaving)
{
    return AskFile(parent, forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen,
        QStringLiteral("Pliki kalibracyjne Nerix 3.0 (*.N3C)"), QStringLiteral("N3C"),
        Remembered::ParameterFolder);
}
} // namespace

ParameterSender TMainWin::Sender()
{
    return ParameterSender(*ComPort1, [this](const QString &text) { ShowMessage(this, text); });
}

void TMainWin::WyslijClick()
{
    try {
        SendInProgress busy(this, StatusPanel1);
        const ParameterTexts texts = Send->Texts();
        ParameterSender sender = Sender();
        const auto &rows = CellRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            busy.progress(
                QString::fromUtf8("Wysyłanie komórki %1 z %2").arg(i + 1).arg(rows.size()));
            // A lost link ends the send at once; the loss has been reported.
            if (!sender.SendRow(rows[i], texts) || !portOpen())
                return;
        }
        if (Send->SaveEPROM->isChecked()) {
            busy.progress(QString::fromUtf8("Zapisywanie parametrów w EEPROM"));
            QThread::msleep(StorePauseMs);
            sender.SendCommand(QStringLiteral("S"));
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
    Sender().SendValue(Send->DWWartosc->text(), *address & 0xFF);
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

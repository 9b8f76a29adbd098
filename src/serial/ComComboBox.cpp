#include "serial/ComComboBox.h"

#include "serial/CPort.h"
#include "serial/ComTexts.h"
#include "serial/PortEnumeration.h"

namespace {
QStringList toStringList(const std::vector<std::string> &texts)
{
    QStringList list;
    for (const std::string &text : texts)
        list << QString::fromStdString(text);
    return list;
}

QStringList itemsOf(TComProperty property)
{
    switch (property) {
    case cpNone:
        return {};
    case cpPort:
        return toStringList(EnumComPorts());
    case cpBaudRate:
        return toStringList(BaudRateTexts());
    case cpDataBits:
        return toStringList(DataBitsTexts());
    case cpStopBits:
        return toStringList(StopBitsTexts());
    case cpParity:
        return toStringList(ParityTexts());
    case cpFlowControl:
        return toStringList(FlowControlTexts());
    }
    return {};
}

std::string valueText(TComProperty property, const TComPort &port)
{
    switch (property) {
    case cpNone:
        return {};
    case cpPort:
        return port.Port();
    case cpBaudRate:
        return BaudRateToStr(port.BaudRate());
    case cpDataBits:
        return DataBitsToStr(port.DataBits());
    case cpStopBits:
        return StopBitsToStr(port.StopBits());
    case cpParity:
        return ParityToStr(port.Parity().Bits);
    case cpFlowControl:
        return FlowControlToStr(port.FlowControl().FlowControl());
    }
    return {};
}
} // namespace

void TComSelect::SelectText(TComProperty property, const std::string &text)
{
    switch (property) {
    case cpNone:
        break;
    case cpPort:
        Port = text;
        break;
    case cpBaudRate:
        BaudRate = StrToBaudRate(text);
        break;
    case cpDataBits:
        DataBits = StrToDataBits(text);
        break;
    case cpStopBits:
        StopBits = StrToStopBits(text);
        break;
    case cpParity:
        Parity = StrToParity(text);
        break;
    case cpFlowControl:
        FlowControl = StrToFlowControl(text);
        break;
    }
}

void TComSelect::ApplyTo(TComProperty property, TComPort &port) const
{
    switch (property) {
    case cpNone:
        break;
    case cpPort:
        port.SetPort(Port);
        break;
    case cpBaudRate:
        port.SetBaudRate(BaudRate);
        break;
    case cpDataBits:
        port.SetDataBits(DataBits);
        break;
    case cpStopBits:
        port.SetStopBits(StopBits);
        break;
    case cpParity: {
        TComParity parity = port.Parity();
        parity.Bits = Parity;
        port.SetParity(parity);
        break;
    }
    case cpFlowControl:
        port.SetFlowControl(FlowControl);
        break;
    }
}

TComComboBox::TComComboBox(QWidget *parent)
    : QComboBox(parent)
{
    // Only a pick by the user applies a value; code that changes the selection does not.
    connect(this, &QComboBox::activated, this, &TComComboBox::Change);
}

TComComboBox::~TComComboBox()
{
    Unbind();
}

void TComComboBox::SetComPort(TComPort *port)
{
    if (port == port_)
        return;
    Unbind();
    port_ = port;
    if (port_ != nullptr) {
        listenerKey_ = port_->AddDestroyListener([this] {
            port_ = nullptr;
            listenerKey_ = -1;
            if (count() > 0)
                setCurrentIndex(0);
        });
    }
    SelectPortValue();
}

void TComComboBox::SetComProperty(TComProperty property)
{
    property_ = property;
    Refill();
    if (count() == 0)
        return;
    if (port_ != nullptr)
        SelectPortValue();
    else
        setCurrentIndex(0);
}

void TComComboBox::SetText(const QString &text)
{
    const int index = findText(text, Qt::MatchFixedString);
    if (index >= 0)
        setCurrentIndex(index);
}

void TComComboBox::ApplySettings()
{
    if (port_ == nullptr)
        return;
    try {
        select_.ApplyTo(property_, *port_);
    } catch (const EComPort &error) {
        if (OnApplyError)
            OnApplyError(error);
    }
}

void TComComboBox::showPopup()
{
    if (property_ == cpPort) {
        const QString shown = currentText();
        try {
            Refill();
        } catch (const EComPort &) {
            // The list stays as it was.
        }
        if (port_ != nullptr)
            SelectPortValue();
        else
            setCurrentIndex(findText(shown));
    }
    QComboBox::showPopup();
}

void TComComboBox::Change(int index)
{
    if (index < 0)
        return;
    select_.SelectText(property_, itemText(index).toStdString());
    if (autoApply_)
        ApplySettings();
}

void TComComboBox::Refill()
{
    const QStringList items = itemsOf(property_);
    clear();
    addItems(items);
}

void TComComboBox::SelectPortValue()
{
    if (port_ == nullptr)
        return;
    setCurrentIndex(findText(QString::fromStdString(valueText(property_, *port_))));
}

void TComComboBox::Unbind()
{
    if (port_ != nullptr)
        port_->RemoveDestroyListener(listenerKey_);
    port_ = nullptr;
    listenerKey_ = -1;
}

#pragma once
// TComComboBox: a drop-down list bound to a serial port and one of its settings. It lists the
// setting's values as texts (for the port name, the machine's ports) and, when the user picks
// one, keeps its value and, with AutoApply, assigns it to the bound port at once. Code that
// sets the text or binds a port only selects an item; nothing is applied then. A port that is
// destroyed while bound lets go of its selectors.
#include "serial/ComEnums.h"

#include <QComboBox>
#include <functional>
#include <string>

class EComPort;
class TComPort;

enum TComProperty { cpNone, cpPort, cpBaudRate, cpDataBits, cpStopBits, cpParity, cpFlowControl };

// The value of the item picked last, for each kind of setting.
struct TComSelect {
    std::string Port = "COM1";
    TBaudRate BaudRate = br9600;
    TDataBits DataBits = dbEight;
    TStopBits StopBits = sbOneStopBit;
    TParityBits Parity = prNone;
    TFlowControl FlowControl = fcNone;

    // Converts the text of an item of the property's list.
    void SelectText(TComProperty property, const std::string &text);
    // Assigns the kept value of the property to the port (the parity bits only; the flow
    // control as its compound value), with the effects a change has on an open port.
    void ApplyTo(TComProperty property, TComPort &port) const;
};

class TComComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TComComboBox(QWidget *parent = nullptr);
    ~TComComboBox() override;
    TComComboBox(const TComComboBox &) = delete;
    TComComboBox &operator=(const TComComboBox &) = delete;

    TComPort *ComPort() const { return port_; }
    // Binds a port (or none) and selects the item of its current value (none when it has no
    // item).
    void SetComPort(TComPort *port);
    TComProperty ComProperty() const { return property_; }
    // Refills the list and selects the bound port's value, or item 0 with no port bound.
    void SetComProperty(TComProperty property);
    bool AutoApply() const { return autoApply_; }
    void SetAutoApply(bool value) { autoApply_ = value; }
    QString Text() const { return currentText(); }
    // Selects the item with this text (case aside); nothing when there is none.
    void SetText(const QString &text);
    // Assigns the value picked last to the bound port; errors reach OnApplyError.
    void ApplySettings();

    // A value the open port refused (a new port name that does not open, a line state the
    // device does not take). Without a handler the failure is dropped.
    std::function<void(const EComPort &)> OnApplyError;

protected:
    // The list of ports is taken afresh each time it drops down, so that a port plugged in
    // since shows up.
    void showPopup() override;

private:
    void Change(int index);
    void Refill();
    void SelectPortValue();
    void Unbind();

    TComPort *port_ = nullptr;
    int listenerKey_ = -1;
    TComProperty property_ = cpNone;
    bool autoApply_ = false;
    TComSelect select_;
};

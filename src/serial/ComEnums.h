#pragma once
// Value types of the serial port settings: line rates, frame format, flow control, the line
// events the event thread watches and how those events reach the handlers.
#include <cstdint>
#include <initializer_list>

enum TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};

enum TDataBits { dbFive, dbSix, dbSeven, dbEight };

// Stop-bit codes 0, 1, 2.
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };

// Parity codes 0..4.
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };

enum TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };

enum TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };

enum TFlowControl { fcHardware, fcSoftware, fcNone, fcCustom };

enum TComEvent {
    evRxChar,
    evTxEmpty,
    evRxFlag,
    evRing,
    evBreak,
    evCTS,
    evDSR,
    evError,
    evRLSD,
    evRx80Full
};

enum TSyncMethod { smThreadSync, smWindowSync, smNone };

// A set of line events.
class TComEvents {
public:
    constexpr TComEvents() = default;
    constexpr TComEvents(std::initializer_list<TComEvent> events)
    {
        for (TComEvent e : events)
            bits_ |= bit(e);
    }
    static constexpr TComEvents all()
    {
        TComEvents s;
        s.bits_ = (1u << (evRx80Full + 1)) - 1;
        return s;
    }

    constexpr bool contains(TComEvent e) const { return (bits_ & bit(e)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr void insert(TComEvent e) { bits_ |= bit(e); }
    constexpr void erase(TComEvent e) { bits_ &= ~bit(e); }
    constexpr bool operator==(const TComEvents &) const = default;

private:
    static constexpr std::uint32_t bit(TComEvent e) { return 1u << static_cast<unsigned>(e); }
    std::uint32_t bits_ = 0;
};

#include "serial/ComControlBlock.h"

#include <algorithm>

ComControlBlock buildComControlBlock(const ComLineSettings &line, std::uint32_t inputSize)
{
    ComControlBlock dcb;
    dcb.BaudRate = comBaudRateValue(line.BaudRate, line.CustomRate);
    dcb.ByteSize = static_cast<std::uint8_t>(5 + line.DataBits);
    dcb.Parity = static_cast<std::uint8_t>(line.Parity.Bits);
    dcb.StopBits = static_cast<std::uint8_t>(line.StopBits);

    dcb.fBinary = true;
    dcb.fParity = line.Parity.Check;
    if (line.Parity.Check && line.Parity.Replace) {
        dcb.fErrorChar = true;
        dcb.ErrorChar = line.Parity.ReplaceChar;
    }
    dcb.fNull = line.DiscardNull;

    const TComFlowControl &flow = line.FlowControl;
    dcb.fOutxCtsFlow = flow.OutCTSFlow;
    dcb.fOutxDsrFlow = flow.OutDSRFlow;
    dcb.fDtrControl = flow.ControlDTR;
    dcb.fRtsControl = flow.ControlRTS;
    dcb.fDsrSensitivity = flow.DSRSensitivity;
    dcb.fTXContinueOnXoff = flow.TxContinueOnXoff;
    dcb.fOutX = flow.XonXoffOut;
    dcb.fInX = flow.XonXoffIn;

    // The limit fields are 16 bits wide; a huge queue saturates instead of wrapping.
    const std::uint32_t limit = std::min<std::uint32_t>(inputSize / 4, 0xFFFF);
    dcb.XonLim = static_cast<std::uint16_t>(limit);
    dcb.XoffLim = static_cast<std::uint16_t>(limit);
    dcb.XonChar = flow.XonChar;
    dcb.XoffChar = flow.XoffChar;
    dcb.EvtChar = line.EventChar;
    return dcb;
}

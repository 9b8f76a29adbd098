#pragma once
// The texts of the port settings as the selectors list them, in the order of their values,
// and the conversions both ways. A text is matched without regard to case; a text in no list
// gives the default of its setting (9600, 8, 1, None, Custom).
#include "serial/ComEnums.h"

#include <string>
#include <vector>

class TComPort;

const std::vector<std::string> &BaudRateTexts();
const std::vector<std::string> &DataBitsTexts();
const std::vector<std::string> &StopBitsTexts();
const std::vector<std::string> &ParityTexts();
const std::vector<std::string> &FlowControlTexts();

std::string BaudRateToStr(TBaudRate value);
std::string DataBitsToStr(TDataBits value);
std::string StopBitsToStr(TStopBits value);
std::string ParityToStr(TParityBits value);
std::string FlowControlToStr(TFlowControl value);

TBaudRate StrToBaudRate(const std::string &text);
TDataBits StrToDataBits(const std::string &text);
TStopBits StrToStopBits(const std::string &text);
TParityBits StrToParity(const std::string &text);
TFlowControl StrToFlowControl(const std::string &text);

// A link in one line: port, rate, data bits, stop bits and parity joined by ", "
// ("COM2, 9600, 7, 1, None").
std::string ComLinkSummary(const TComPort &port);

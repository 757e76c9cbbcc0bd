// Texts of the automatic imitation: status panel 2 and the captions of the tab " Имитатор ".
#pragma once

// Status panel 2.
extern const char* const kImitOffText;
extern const char* const kArrivedText;
extern const char* const kBoardingAtFirstText;
extern const char* const kPassengerInsideText;
extern const char* const kAwaitingOrderText;
extern const char* const kCallTripText;
extern const char* const kOrderTripText;
extern const char* const kDoorsOpenText;
extern const char* const kBoardingText;
extern const char* const kDoorsClosingText;
extern const char* const kPauseText;
extern const char* const kPauseUntilFaultText;
extern const char* const kSecondsText;
extern const char* const kRemainingText;
extern const char* const kAlarmFaultText;
extern const char* const kLiftBreakFaultText;

// The tab and its controls (the switch's caption is kImitEnableCaption).
extern const char* const kImitTabCaption;
extern const char* const kDispGroupCaption;
extern const char* const kLiftOkCaption;
extern const char* const kApplyCaption;
extern const char* const kVelocityLabel;
extern const char* const kFloorCountLabel;
extern const char* const kMoveLabel;
extern const char* const kBreakPeriodLabel;
extern const char* const kBreakLenLabel;
extern const char* const kRangeLabel;
extern const char* const kSetupGroupCaption;

#pragma once
// Shared enumerations, event types, constants and error classes of the base
// support library.

#include <cfloat>
#include <cstdint>
#include <functional>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/types.h"

namespace orv {

// Bevel styles of DrawFrame.
enum TFrameStyle : uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

// csFixed: bevel lines gray 0x808080 and white 0xFFFFFF; csSystem: clBtnShadow and clBtnHighlight.
enum TColorScheme : uint8_t { csFixed, csSystem };

// Decimal separator accepted by numeric fields: the locale's, ".", "," or either.
enum TDecPSep : uint8_t { dpsSystem, dpsPoint, dpsComma, dpsBoth };

// Placement of a background image: at the top left, stretched, tiled.
enum TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };

// Growth direction of bars: ordinal 0 upwards, 3 rightwards.
enum TDirection : uint8_t { dirUp, dirDown, dirLeft, dirRight };

// Advance direction: down (first member) or right.
enum TOrientation : uint8_t { orDown, orRight };

// Language of month and weekday names. Ordinal 0 is language-neutral (English
// names, no holiday captions); 1..4 carry full tables.
enum TLanguage : uint8_t { lgNeutral, lgEnglish, lgGerman, lgFrench, lgSpanish };

// How a caller's verdict combines with a component's own match.
enum TLogicOp : uint8_t { loAND, loOR, loXOR, loANDNot, loORNot, loReplace };

// Field delimiter of CSV exchange.
enum TCSVDelimiters : uint8_t { csvComma, csvSemicolon, csvTab, csvSpace, csvPipe };

using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;

// Fired before a sort exchanges two rows (Kind 0) or two columns (Kind 1).
// For row sorts of text matrices the two row texts are passed; the handler may
// change the second.
using TBeforeSortExchgEvent =
    std::function<void(TObject* Sender, int Kind, int Ix1, int Ix2, const String& Text1, String& Text2)>;

inline constexpr double uc_MaxDouble = DBL_MAX;
inline constexpr double uc_MaxReal = DBL_MAX;
inline constexpr double uc_ln10 = 2.302585092994045684;

// Base of every component error class.
ORV_DECLARE_EXCEPTION(EORVError, Exception);
// Error of the string matrix and the data structures.
ORV_DECLARE_EXCEPTION(EORVDStructError, EORVError);

ORV_DECLARE_EXCEPTION(EORVNumIO2Error, EORVError);
ORV_DECLARE_EXCEPTION(EORVRLDataError, EORVError);
ORV_DECLARE_EXCEPTION(EORVRepListError, EORVError);
ORV_DECLARE_EXCEPTION(EORVNTabedError, EORVError);
ORV_DECLARE_EXCEPTION(EORVRasterLabError, EORVError);
ORV_DECLARE_EXCEPTION(EORVRepSpeedButton, EORVError);
ORV_DECLARE_EXCEPTION(EORVProgBar, EORVError);

}  // namespace orv

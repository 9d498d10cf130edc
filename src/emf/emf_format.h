#pragma once

#include <cstdint>

// Numbers of the two record formats an EMF+ dual file holds: the enhanced
// metafile (EMF) records and the EMF+ records carried in its comments. Only
// the numbers this recorder writes are listed.
namespace emf::format {

// EMF record types.
enum TEmfRecordType : uint32_t {
  kEmrHeader = 1,
  kEmrPolygon = 3,
  kEmrPolyline = 4,
  kEmrEof = 14,
  kEmrSetBkMode = 18,
  kEmrSetPolyFillMode = 19,
  kEmrSetTextAlign = 22,
  kEmrSetTextColor = 24,
  kEmrIntersectClipRect = 30,
  kEmrSetWorldTransform = 35,
  kEmrSelectObject = 37,
  kEmrCreateBrushIndirect = 39,
  kEmrDeleteObject = 40,
  kEmrEllipse = 42,
  kEmrRectangle = 43,
  kEmrComment = 70,
  kEmrExtSelectClipRgn = 75,
  kEmrStretchDIBits = 81,
  kEmrExtCreateFontIndirectW = 82,
  kEmrExtTextOutW = 84,
  kEmrPolygon16 = 86,
  kEmrPolyline16 = 87,
  kEmrExtCreatePen = 95,
  kEmrAlphaBlend = 114,
};

constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kEmfVersion = 0x00010000;
constexpr uint32_t kHeaderSize = 108;  // with the pixel-format and micrometre extensions

// Stock objects are selected by these handles and never created or deleted.
constexpr uint32_t kStockNullBrush = 0x80000005;
constexpr uint32_t kStockNullPen = 0x80000008;
constexpr uint32_t kStockSystemFont = 0x8000000D;

constexpr uint32_t kTransparentBackground = 1;
constexpr uint32_t kAlternateFill = 1;
constexpr uint32_t kWindingFill = 2;
constexpr uint32_t kTextAlignBaseline = 24;
constexpr uint32_t kRegionCopy = 5;
constexpr uint32_t kAdvancedGraphicsMode = 2;
constexpr uint32_t kSolidBrushStyle = 0;

// Pen style bits of EMR_EXTCREATEPEN.
constexpr uint32_t kPenGeometric = 0x00010000;
constexpr uint32_t kPenEndCapRound = 0x0000;
constexpr uint32_t kPenEndCapSquare = 0x0100;
constexpr uint32_t kPenEndCapFlat = 0x0200;
constexpr uint32_t kPenJoinRound = 0x0000;
constexpr uint32_t kPenJoinBevel = 0x1000;
constexpr uint32_t kPenJoinMiter = 0x2000;

constexpr uint32_t kDefaultCharset = 1;
constexpr uint32_t kSourceCopy = 0x00CC0020;
constexpr uint32_t kDibRgbColors = 0;
constexpr uint32_t kBitmapInfoHeaderSize = 40;
constexpr uint32_t kBlendSourceAlpha = 0x01FF0000;  // AC_SRC_OVER, constant alpha 255, AC_SRC_ALPHA

// The comment identifier of EMF+ data and the EMF+ record types.
constexpr uint32_t kEmfPlusSignature = 0x2B464D45;  // "EMF+"

enum TEmfPlusRecordType : uint16_t {
  kPlusHeader = 0x4001,
  kPlusEndOfFile = 0x4002,
  kPlusGetDC = 0x4004,
  kPlusObject = 0x4008,
  kPlusFillRects = 0x400A,
  kPlusDrawRects = 0x400B,
  kPlusFillPolygon = 0x400C,
  kPlusDrawLines = 0x400D,
  kPlusFillEllipse = 0x400E,
  kPlusDrawEllipse = 0x400F,
  kPlusSetWorldTransform = 0x402A,
  kPlusResetWorldTransform = 0x402B,
  kPlusSetPageTransform = 0x4030,
  kPlusResetClip = 0x4031,
  kPlusSetClipRect = 0x4032,
  kPlusDrawDriverString = 0x4036,
};

constexpr uint32_t kPlusGraphicsVersion = 0xDBC01002;
constexpr uint16_t kPlusHeaderDual = 0x0001;
constexpr uint32_t kPlusReferenceIsDisplay = 0x0001;

// Object types, in the high byte of an EmfPlusObject record's flags.
constexpr uint16_t kPlusObjectPen = 2;
constexpr uint16_t kPlusObjectFont = 6;

// Record flags.
constexpr uint16_t kPlusColorBrush = 0x8000;  // the brush field holds an ARGB colour, not an object id
constexpr uint16_t kPlusClosedLines = 0x2000;

constexpr uint32_t kPlusUnitWorld = 0;
constexpr uint32_t kPlusUnitPixel = 2;

// Pen data flags, in the order their optional fields follow the width.
constexpr uint32_t kPlusPenStartCap = 0x02;
constexpr uint32_t kPlusPenEndCap = 0x04;
constexpr uint32_t kPlusPenJoin = 0x08;
constexpr uint32_t kPlusPenMiterLimit = 0x10;
constexpr uint32_t kPlusPenLineStyle = 0x20;
constexpr uint32_t kPlusPenDashedLineCap = 0x40;

constexpr uint32_t kPlusSolidBrush = 0;
constexpr uint32_t kPlusDriverStringCmapLookup = 0x0001;

}  // namespace emf::format

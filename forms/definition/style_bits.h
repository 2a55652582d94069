#pragma once

// Style bits of the control elements' integer `style` attribute: the bits of
// the classic control of each kind. Stored definitions were written against
// these values, so the readers and the widgets take them as they are and map
// what Qt can express.

namespace zk::style {

// Edit boxes (textbox, editbutton).
inline constexpr int kEditCenter = 0x0001;
inline constexpr int kEditRight = 0x0002;
inline constexpr int kEditMultiLine = 0x0004;
inline constexpr int kEditUpperCase = 0x0008;
inline constexpr int kEditLowerCase = 0x0010;
inline constexpr int kEditPassword = 0x0020;
inline constexpr int kEditAutoVScroll = 0x0040;
inline constexpr int kEditAutoHScroll = 0x0080;
inline constexpr int kEditReadOnly = 0x0800;
inline constexpr int kEditWantReturn = 0x1000;
inline constexpr int kEditNumber = 0x2000;

// Buttons: the low four bits are the button type.
inline constexpr int kButtonTypeMask = 0x000F;
inline constexpr int kButtonCheckBox = 2;
inline constexpr int kButtonAutoCheckBox = 3;
inline constexpr int kButtonRadio = 4;
inline constexpr int kButton3State = 5;
inline constexpr int kButtonAuto3State = 6;
inline constexpr int kButtonGroupBox = 7;
inline constexpr int kButtonAutoRadio = 9;
inline constexpr int kButtonLeftText = 0x0020;
inline constexpr int kButtonFlat = 0x8000;

// Labels: the low five bits are the static type.
inline constexpr int kStaticTypeMask = 0x001F;
inline constexpr int kStaticLeft = 0x0000;
inline constexpr int kStaticCenter = 0x0001;
inline constexpr int kStaticRight = 0x0002;
inline constexpr int kStaticSimple = 0x000B;
inline constexpr int kStaticLeftNoWordWrap = 0x000C;
inline constexpr int kStaticNoPrefix = 0x0080;
inline constexpr int kStaticNotify = 0x0100;
inline constexpr int kStaticCenterImage = 0x0200;
inline constexpr int kStaticSunken = 0x1000;

// Combo boxes: the low two bits are the kind; the drop list starts as an
// editable drop-down, so adding 1 gives the non-editable drop-down list.
inline constexpr int kComboKindMask = 0x0003;
inline constexpr int kComboDropDown = 0x0002;
inline constexpr int kComboDropDownList = 0x0003;
inline constexpr int kComboSort = 0x0100;

// Date pickers.
inline constexpr int kDateUpDown = 0x0001;

// Window bits that may be OR-ed into any style.
inline constexpr int kWindowDisabled = 0x08000000;
inline constexpr int kWindowVisible = 0x10000000;

} // namespace zk::style

#pragma once

// The `style` attribute of a control carries the style bits of the classic
// Windows control of its kind; stored definitions are written with them, so
// the widget layer maps these numbers onto Qt properties. Only the bits that
// definitions are known to use are named here.

namespace zk::style {

// textbox, editbutton
inline constexpr int kEditCenter = 0x1;
inline constexpr int kEditRight = 0x2;
inline constexpr int kEditMultiLine = 0x4;
inline constexpr int kEditUpperCase = 0x8;
inline constexpr int kEditLowerCase = 0x10;
inline constexpr int kEditPassword = 0x20;
inline constexpr int kEditAutoVScroll = 0x40;
inline constexpr int kEditAutoHScroll = 0x80;
inline constexpr int kEditReadOnly = 0x800;
inline constexpr int kEditWantReturn = 0x1000;
inline constexpr int kEditNumber = 0x2000;

// button: the low four bits are the button type.
inline constexpr int kButtonTypeMask = 0xF;
inline constexpr int kButtonDefPush = 0x1;
inline constexpr int kButtonCheckBox = 0x2;
inline constexpr int kButtonAutoCheckBox = 0x3;
inline constexpr int kButtonRadio = 0x4;
inline constexpr int kButton3State = 0x5;
inline constexpr int kButtonAuto3State = 0x6;
inline constexpr int kButtonGroupBox = 0x7;
inline constexpr int kButtonAutoRadio = 0x9;
inline constexpr int kButtonMultiLine = 0x2000;

// static: the low bits are the alignment.
inline constexpr int kStaticCenter = 0x1;
inline constexpr int kStaticRight = 0x2;
inline constexpr int kStaticNotify = 0x100;
inline constexpr int kStaticCenterImage = 0x200;

// droplist: a drop-down box is editable; adding 1 makes it a pure list.
inline constexpr int kComboDropDownList = 0x1;
inline constexpr int kComboSort = 0x100;

// datectrl
inline constexpr int kDateUpDown = 0x1;
inline constexpr int kDateShowNone = 0x2;

} // namespace zk::style

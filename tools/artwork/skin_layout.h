// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

// Where the window's controls sit, in the skin's pixels (their twips ÷ 15, rounded), and the
// painted places around them.
namespace art::layout {

constexpr int kWidth = 720, kHeight = 460;
// The visible client area; the skin's last column and row lie beyond it.
constexpr QRect kClient(0, 0, 719, 459);

constexpr QRect kLogo(40, 40, 385, 49);
constexpr QRect kTxtCN(96, 109, 97, 19);
constexpr QRect kTxtEN(304, 109, 115, 21);
constexpr QRect kBoxCN(88, 102, 116, 34);
constexpr QRect kBoxEN(293, 102, 135, 34);
constexpr QRect kPicMain(39, 153, 388, 261);  // the white drawing area is exactly this

constexpr QRect kCboFont(552, 101, 108, 24);
constexpr QRect kCboImg(552, 144, 108, 24);
constexpr QRect kColorPreview(552, 184, 108, 25);
constexpr QRect kCboSize(552, 224, 108, 24);

constexpr QRect kImgSave(528, 272, 49, 43);
constexpr QRect kImgPrint(584, 256, 65, 52);
constexpr QRect kImgUrlMore(488, 320, 89, 47);
constexpr QRect kImgHelp(584, 312, 81, 63);
// Beyond the window's own controls: 签署 PDF 文档… in the free strip under the drawing area, its
// right edge on the drawing area's.
constexpr QRect kImgSignDocument(291, 422, 136, 25);

// The plates behind the logo and the settings, aligned with the drawing area's outer hairline.
constexpr QRect kBanner(34, 36, 397, 57);
constexpr QRect kPanel(446, 36, 239, 382);

}  // namespace art::layout

#pragma once

#include <QRect>

class QWidget;

namespace lexor::ui {

// Window layouts are designed in twips; 15 twips make one logical pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips)
{
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

// The client height, in pixels, that an outer height of outerTwips leaves
// once the window's design allowance for title bar and borders
// (allowanceTwips) is taken off.
constexpr int ClientHeight(int outerTwips, int allowanceTwips)
{
    return Px(outerTwips - allowanceTwips);
}

// Gives a fixed-size window the client height that an outer height of
// outerTwips leaves (see ClientHeight), keeping a shown window on its screen
// (see ScreenPlacement.h). What the user cannot see cannot be
// used either: the window's controls that the height leaves below its edge
// are disabled, so neither the keyboard nor anything else reaches them and
// the focus moves on from them; those it reveals are enabled again and take
// their places in the tab order. The window's results areas (ResultsArea.h)
// are shown only while all they show lies above the edge.
void SetOuterHeightTwips(QWidget* window, int outerTwips, int allowanceTwips);

// Gives the keyboard focus to the first control of the window's tab order
// that can take it.
void FocusFirstControl(QWidget* window);

} // namespace lexor::ui

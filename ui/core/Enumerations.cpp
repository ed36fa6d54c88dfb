#include "ui/core/Enumerations.h"

// One line per enumeration: its names in order, each with its integer.
N_ENUM_TYPE(FontStyle, {"Normal", 0}, {"Italic", 1}, {"Oblique", 2});
N_ENUM_TYPE(FontWeight, {"Thin", 100}, {"UltraLight", 200}, {"ExtraLight", 200}, {"Light", 300}, {"Normal", 400}, {"Regular", 400}, {"Medium", 500}, {"SemiBold", 600}, {"DemiBold", 600}, {"Bold", 700}, {"ExtraBold", 800}, {"UltraBold", 800}, {"Black", 900}, {"Heavy", 900}, {"ExtraBlack", 950}, {"UltraBlack", 950});
N_ENUM_TYPE(HorizontalAlignment, {"Left", 0}, {"Center", 1}, {"Right", 2}, {"Stretch", 3});
N_ENUM_TYPE(VerticalAlignment, {"Bottom", 0}, {"Center", 1}, {"Stretch", 2}, {"Top", 3});
N_ENUM_TYPE(TextAlignment, {"Left", 0}, {"Right", 1}, {"Center", 2}, {"Justify", 3});
N_ENUM_TYPE(Orientation, {"Horizontal", 0}, {"Vertical", 1});
N_ENUM_TYPE(Visibility, {"Collapsed", 0}, {"Hidden", 1}, {"Visible", 2});
N_ENUM_TYPE(TextTrimming, {"None", 0}, {"CharacterEllipsis", 1}, {"WordEllipsis", 2}, {"PathEllipsis", 3});
N_ENUM_TYPE(TextWrapping, {"WrapWithOverflow", 0}, {"NoWrap", 1}, {"Wrap", 2});
N_ENUM_TYPE(Dock, {"Left", 0}, {"Top", 1}, {"Right", 2}, {"Bottom", 3}, {"Fill", 4});
N_ENUM_TYPE(Stretch, {"Fill", 0}, {"None", 1}, {"Uniform", 2}, {"UniformToFill", 3});
N_ENUM_TYPE(ScrollBarVisibility, {"Auto", 0}, {"Disabled", 1}, {"Hidden", 2}, {"Visible", 3});
N_ENUM_TYPE(RoutingStrategy, {"Bubble", 0}, {"Direct", 1}, {"Tunnel", 2});
N_ENUM_TYPE(BindingMode, {"TwoWay", 0}, {"OneWay", 1}, {"OneTime", 2}, {"OneWayToSource", 3}, {"Default", 4});
N_ENUM_TYPE(SourceProperties, {"None", 0}, {"RelativeSource", 1}, {"ElementName", 2}, {"StaticSource", 3}, {"InternalSource", 4});
N_ENUM_TYPE(UpdateSourceTrigger, {"Default", 0}, {"Explicit", 1}, {"LostFocus", 2}, {"PropertyChanged", 3});

#pragma once
// The enumerations of the framework. Each is a class derived from N::Enum
// with its own registered type; the constants give the integers, and
// N::EnumValue<Class>(integer) the shared predefined value object.

#include "ui/core/Enum.h"

class FontStyle : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Normal = 0, Italic = 1, Oblique = 2 };
};

class FontWeight : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Thin = 100, UltraLight = 200, ExtraLight = 200, Light = 300, Normal = 400, Regular = 400, Medium = 500, SemiBold = 600, DemiBold = 600, Bold = 700, ExtraBold = 800, UltraBold = 800, Black = 900, Heavy = 900, ExtraBlack = 950, UltraBlack = 950 };
};

class HorizontalAlignment : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Left = 0, Center = 1, Right = 2, Stretch = 3 };
};

class VerticalAlignment : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Bottom = 0, Center = 1, Stretch = 2, Top = 3 };
};

class TextAlignment : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Left = 0, Right = 1, Center = 2, Justify = 3 };
};

class Orientation : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Horizontal = 0, Vertical = 1 };
};

class Visibility : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Collapsed = 0, Hidden = 1, Visible = 2 };
};

class TextTrimming : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { None = 0, CharacterEllipsis = 1, WordEllipsis = 2, PathEllipsis = 3 };
};

class TextWrapping : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { WrapWithOverflow = 0, NoWrap = 1, Wrap = 2 };
};

class Dock : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Left = 0, Top = 1, Right = 2, Bottom = 3, Fill = 4 };
};

class Stretch : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Fill = 0, None = 1, Uniform = 2, UniformToFill = 3 };
};

class ScrollBarVisibility : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Auto = 0, Disabled = 1, Hidden = 2, Visible = 3 };
};

class RoutingStrategy : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Bubble = 0, Direct = 1, Tunnel = 2 };
};

class BindingMode : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { TwoWay = 0, OneWay = 1, OneTime = 2, OneWayToSource = 3, Default = 4 };
};

class SourceProperties : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { None = 0, RelativeSource = 1, ElementName = 2, StaticSource = 3, InternalSource = 4 };
};

class UpdateSourceTrigger : public N::Enum {
public:
    N_DECLARE_TYPE();
    using N::Enum::Enum;
    enum : int32_t { Default = 0, Explicit = 1, LostFocus = 2, PropertyChanged = 3 };
};

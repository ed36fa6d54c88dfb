#include "ui/document/TextPointer.h"

#include "ui/core/Collection.h"
#include "ui/core/PropertyValues.h"
#include "ui/document/FlowContent.h"

#include <vector>

namespace {
class TextPointerTypeImpl final : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;
};

// Number of characters (code points) of UTF-8 text.
int32_t CharacterCount(const UString& text) {
    int32_t n = 0;
    for (size_t i = 0; i < text.Length(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++n;
    return n;
}
}  // namespace

N_DEFINE_TYPE(TextPointer, "TextPointer", TextPointerTypeImpl, nullptr);

TextPointer::TextPointer(TextContainer* container, N::Element* element, int32_t offset, int32_t direction)
    : N::Property(StaticType()), container_(container), element_(element), offset_(offset), direction_(direction) {
    if (element_) element_->AddRef();
}

TextPointer::~TextPointer() {
    if (element_) element_->Release();
}

TextPointer* TextPointer::Create(TextContainer* container, N::Element* element, int32_t offset, int32_t direction) {
    return new TextPointer(container, element, offset, direction);
}

TextPointer* GetPositionAtOffset(TextPointer* pointer, int32_t delta, int32_t direction) {
    if (!pointer) return nullptr;
    if (delta == 0 && direction == pointer->Direction()) {
        pointer->AddRef();
        return pointer;
    }
    return TextPointer::Create(pointer->Container(), pointer->GetElement(), pointer->Offset() + delta, direction);
}

template <class F>
void ForEachContentLeaf(N::Element* element, F&& f) {
    struct Level {
        N::Collection* items;
        int32_t next;
    };
    N::Collection* top = N::AsCollection(N::GetValue(element, "Children"));
    if (!top) return;
    std::vector<Level> stack{{top, 0}};
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.items->Count()) {
            stack.pop_back();
            continue;
        }
        N::Element* item = N::AsElement(level.items->Item(level.next++));
        if (!item) continue;
        if (N::Collection* children = N::AsCollection(item->GetValue("Children"))) {
            stack.push_back({children, 0});  // a container produces nothing itself
            continue;
        }
        if (!f(item)) return;
    }
}

N::Element* GetElementAtOffset(TextPointer* pointer, int32_t* offset, int32_t direction, bool skipNonText) {
    if (!pointer || !offset) return nullptr;
    N::Element* element = pointer->GetElement();
    if (!N::IsA(element, Paragraph::StaticType()) && !N::IsA(element, ListItem::StaticType()) &&
        !N::IsA(element, Span::StaticType()))
        return nullptr;
    int32_t sum = 0;
    N::Element* found = nullptr;
    N::Element* last = nullptr;
    ForEachContentLeaf(element, [&](N::Element* leaf) {
        last = leaf;
        bool isRun = N::IsA(leaf, Run::StaticType());
        if (skipNonText && !isRun) {
            sum += 1;
            return true;
        }
        int32_t a = isRun ? CharacterCount(N::ToText(leaf->GetValue("Text"))) : 1;
        if (*offset < sum + a) {
            *offset = *offset - sum > 0 ? *offset - sum : 0;
            found = leaf;
            return false;
        }
        if (a > 0 && sum + a == *offset && direction == Backward) {
            *offset -= sum;
            found = leaf;
            return false;
        }
        sum += a;
        return true;
    });
    return found ? found : last;
}

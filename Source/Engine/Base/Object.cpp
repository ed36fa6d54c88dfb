#include "Source/Engine/Base/Object.h"

int32_t Object::Release(Object* object) {
    if (!object || object->tag_ == kDestroyedTag) return 0;
    if (object->refs_ > kPermanentCount) return 0;
    if (--object->refs_ == 0) {
        object->refs_ = kDestroyingCount;
        delete object;
        return 0;
    }
    return object->refs_;
}

#include "ui/core/Uri.h"

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

class UriTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    UString ToText(const N::Property* value) override { return value->StringPayload(); }
    // A String becomes a Uri of its text; any other value stays as it is.
    N::Property* Convert(N::Property* value) override {
        if (!value || N::IsA(value, this) || !N::IsA(value, N::StringType())) return value;
        auto* result = new Uri(value->StringPayload());
        value->Release();
        return result;
    }
};

N_DEFINE_TYPE(Uri, "Uri", UriTypeImpl, N::StringType());

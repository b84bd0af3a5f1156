// The late-bound value to and from the COM VARIANT.
#include "platform/windows/variant_conversion.h"

#include "platform/windows/com_dispatch.h"
#include "platform/windows/com_owners.h"
#include "platform/windows/wide_text.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

// The conversion functions take their source as non-const in some SDKs; they never change it.
VARIANT* Source(const VARIANT& value) {
  return const_cast<VARIANT*>(&value);
}

void Check(HRESULT result) {
  if (result == E_OUTOFMEMORY) Raise(errors::kOutOfMemory);
  if (FAILED(result)) Raise(errors::kTypeMismatch);
}

SAFEARRAY* ToSafeArray(const Variant::Array& values) {
  SafeArrayOwner array(::SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size())));
  if (array.get() == nullptr) Raise(errors::kOutOfMemory);
  for (LONG index = 0; index < static_cast<LONG>(values.size()); ++index) {
    VariantOwner element;
    ToVariant(values[static_cast<size_t>(index)], element.get());
    Check(::SafeArrayPutElement(array.get(), &index, &element.get()));
  }
  return array.Detach();
}

Variant FromSafeArray(SAFEARRAY* array, const std::shared_ptr<ComHost>& host) {
  if (array == nullptr) return Variant(Variant::Array());
  if (::SafeArrayGetDim(array) != 1) Raise(errors::kTypeMismatch);
  VARTYPE type = VT_EMPTY;
  LONG lower = 0, upper = -1;
  Check(::SafeArrayGetVartype(array, &type));
  Check(::SafeArrayGetLBound(array, 1, &lower));
  Check(::SafeArrayGetUBound(array, 1, &upper));
  if (type == VT_DECIMAL || type == VT_RECORD) Raise(errors::kTypeMismatch);
  Variant::Array values;
  for (LONG index = lower; index <= upper; ++index) {
    VariantOwner element;
    if (type == VT_VARIANT) {
      Check(::SafeArrayGetElement(array, &index, &element.get()));
    } else {
      // An element of a typed array lands where a VARIANT of that type keeps its value.
      Check(::SafeArrayGetElement(array, &index, &V_I8(&element.get())));
      V_VT(&element.get()) = type;
    }
    values.push_back(FromVariant(element.get(), host));
  }
  return Variant(std::move(values));
}

// A number, date or currency of a kind the program lacks, in the nearest one.
Variant Converted(const VARIANT& value, const std::shared_ptr<ComHost>& host) {
  VariantOwner converted;
  const VARTYPE type = V_VT(&value);
  const bool whole = type == VT_I1 || type == VT_UI1 || type == VT_UI2 || type == VT_UI4 ||
                     type == VT_INT || type == VT_UINT || type == VT_I8 || type == VT_UI8;
  if (whole && SUCCEEDED(::VariantChangeType(&converted.get(), Source(value), 0, VT_I4))) {
    return FromVariant(converted.get(), host);
  }
  if (whole || type == VT_R4 || type == VT_CY || type == VT_DECIMAL) {
    Check(::VariantChangeType(&converted.get(), Source(value), 0, VT_R8));
    return FromVariant(converted.get(), host);
  }
  if (type == VT_DATE) {
    Check(::VariantChangeType(&converted.get(), Source(value), 0, VT_BSTR));
    return FromVariant(converted.get(), host);
  }
  Raise(errors::kTypeMismatch);
}

}  // namespace

void ToVariant(const Variant& value, VARIANT& out) {
  switch (value.kind()) {
    case Variant::Kind::kEmpty:
      V_VT(&out) = VT_EMPTY;
      return;
    case Variant::Kind::kNothing:
      V_VT(&out) = VT_DISPATCH;
      V_DISPATCH(&out) = nullptr;
      return;
    case Variant::Kind::kBoolean:
      V_VT(&out) = VT_BOOL;
      V_BOOL(&out) = value.ToBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case Variant::Kind::kInteger:
      V_VT(&out) = VT_I2;
      V_I2(&out) = value.ToInteger();
      return;
    case Variant::Kind::kLong:
      V_VT(&out) = VT_I4;
      V_I4(&out) = value.ToLong();
      return;
    case Variant::Kind::kDouble:
      V_VT(&out) = VT_R8;
      V_R8(&out) = value.ToDouble();
      return;
    case Variant::Kind::kText:
      V_BSTR(&out) = Bstr(Widen(value.ToText())).Detach();
      V_VT(&out) = VT_BSTR;
      return;
    case Variant::Kind::kArray:
      V_ARRAY(&out) = ToSafeArray(value.ToArray());
      V_VT(&out) = VT_ARRAY | VT_VARIANT;
      return;
    case Variant::Kind::kObject: {
      const auto* object = dynamic_cast<const ComDispatch*>(value.ToObject().get());
      if (object == nullptr) Raise(errors::kTypeMismatch);
      V_DISPATCH(&out) = ComPtr<IDispatch>::Share(object->object()).Detach();
      V_VT(&out) = VT_DISPATCH;
      return;
    }
  }
}

Variant FromVariant(const VARIANT& value, const std::shared_ptr<ComHost>& host) {
  if ((V_VT(&value) & VT_BYREF) != 0) {
    VariantOwner direct;
    Check(::VariantCopyInd(&direct.get(), Source(value)));
    return FromVariant(direct.get(), host);
  }
  if ((V_VT(&value) & VT_ARRAY) != 0) return FromSafeArray(V_ARRAY(&value), host);
  switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL:
      return Variant();
    case VT_ERROR:  // a missing optional argument
      return Variant();
    case VT_BOOL:
      return Variant(V_BOOL(&value) != VARIANT_FALSE);
    case VT_I2:
      return Variant(static_cast<int16_t>(V_I2(&value)));
    case VT_I4:
      return Variant(static_cast<int32_t>(V_I4(&value)));
    case VT_R8:
      return Variant(V_R8(&value));
    case VT_BSTR:
      return Variant(Narrow({V_BSTR(&value), ::SysStringLen(V_BSTR(&value))}));
    case VT_DISPATCH:
      if (V_DISPATCH(&value) == nullptr) return Variant::Nothing();
      return Variant(
          std::make_shared<ComDispatch>(ComPtr<IDispatch>::Share(V_DISPATCH(&value)), host));
    case VT_UNKNOWN: {
      if (V_UNKNOWN(&value) == nullptr) return Variant::Nothing();
      ComPtr<IDispatch> object;
      if (FAILED(V_UNKNOWN(&value)->QueryInterface(IID_IDispatch,
                                                   reinterpret_cast<void**>(object.Receive())))) {
        Raise(errors::kTypeMismatch);
      }
      return Variant(std::make_shared<ComDispatch>(std::move(object), host));
    }
    default:
      return Converted(value, host);
  }
}

}  // namespace kelvort

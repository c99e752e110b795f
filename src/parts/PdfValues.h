#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <initializer_list>

namespace corvanta {

// The value at `keys` below `object`, or null; asks nothing of an object
// that is not a dictionary, which the library would note as damage.
inline QPDFObjectHandle valueAt(QPDFObjectHandle object, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        if (!object.isDictionary())
            return QPDFObjectHandle::newNull();
        object = object.getKey(key);
    }
    return object;
}

// Whether `object` is an array with at least one item.
inline bool isFilledArray(QPDFObjectHandle object)
{
    return object.isArray() && object.getArrayNItems() > 0;
}

} // namespace corvanta

// Value types by their names.

#include "values/value_data.h"

ValueType TypeFromName(const char* name) {
  if (!name) return ValueType::Unknown;
  switch (name[0]) {
    case 'b':
      return ValueType::Bool;
    case 'i':
      return ValueType::Int;
    case 'f':
      return ValueType::Float;
    case 's':
      return ValueType::String;
    default:
      return ValueType::Unknown;
  }
}

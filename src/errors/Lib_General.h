// Creation of components by ProgID: inside the caller's object context when
// there is one, directly otherwise.
#pragma once

#include <corvane/Object.h>

#include <string>

namespace corvane {

// The component registered under sProgID. A creation failure raises the
// creation error (number and source kept) laid out by the raise routine.
ObjectPtr Gen_GetComponent(std::string sProgID);

}  // namespace corvane

#pragma once

namespace mPrincipal {

// Opens the connection; a failure is shown to the operator and start-up goes on.
void openBaseDatos();

} // namespace mPrincipal

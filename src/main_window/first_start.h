#pragma once

// The first start of an installed copy: when no database is found, offers to
// create an empty one where the program looks for it, before it is opened.
namespace primerInicio {
void ofrecerBaseNueva();
}

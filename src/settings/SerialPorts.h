#pragma once

#include <QString>

// The names of the serial ports the system reports ("ttyUSB0", "COM3"), each followed by
// CR LF, in the order the system lists them. Empty when there are none. Ports on
// pseudo-terminals are not listed; callers accept a typed port path as well.
QString SerialPortList();

#include "SerialPorts.h"

#include <QSerialPortInfo>

QString SerialPortList()
{
    QString list;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        list += port.portName() + QLatin1String("\r\n");
    return list;
}

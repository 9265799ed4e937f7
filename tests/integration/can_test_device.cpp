// A CAN node for the adapter tests, on any Qt CAN bus:
//   vlt_can_test_device PLUGIN INTERFACE ADDRESS
// Once connected it claims ADDRESS (a static device powering up), then answers
// every request for ADDRESS_CLAIM to ADDRESS or to everyone with its claim again.
// It ends on SIGTERM or when the bus goes.
#include <QtCore/QCoreApplication>
#include <QtSerialBus/QCanBus>
#include <QtSerialBus/QCanBusDevice>
#include <QtSerialBus/QCanBusFrame>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

constexpr std::uint32_t kClaimIdentifier = 0x18EEFF00;  // priority 6, ADDRESS_CLAIMED to FFh
constexpr std::uint32_t kRequestPf = 0xEA;
const QByteArray kName("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

QCanBusFrame Claim(std::uint32_t address) {
  QCanBusFrame frame(kClaimIdentifier | address, kName);
  frame.setExtendedFrameFormat(true);
  return frame;
}

bool IsClaimRequestFor(const QCanBusFrame& frame, std::uint32_t address) {
  const std::uint32_t id = frame.frameId();
  const std::uint32_t pf = (id >> 16) & 0xFF;
  const std::uint32_t destination = (id >> 8) & 0xFF;
  const QByteArray data = frame.payload();
  return frame.hasExtendedFrameFormat() && pf == kRequestPf &&
         (destination == address || destination == 0xFF) && data.size() >= 3 &&
         static_cast<std::uint8_t>(data[0]) == 0x00 && static_cast<std::uint8_t>(data[1]) == 0xEE &&
         static_cast<std::uint8_t>(data[2]) == 0x00;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: vlt_can_test_device PLUGIN INTERFACE ADDRESS\n");
    return 64;
  }
  const std::uint32_t address = static_cast<std::uint32_t>(std::atoi(argv[3])) & 0xFF;
  QString error;
  std::unique_ptr<QCanBusDevice> device(
      QCanBus::instance()->createDevice(argv[1], argv[2], &error));
  if (!device) {
    std::fprintf(stderr, "can_test_device: %s\n", qPrintable(error));
    return 1;
  }
  QCanBusDevice* raw = device.get();
  QObject::connect(raw, &QCanBusDevice::framesReceived, raw, [raw, address] {
    while (raw->framesAvailable() > 0) {
      if (IsClaimRequestFor(raw->readFrame(), address)) raw->writeFrame(Claim(address));
    }
  });
  QObject::connect(raw, &QCanBusDevice::stateChanged, raw,
                   [raw, address](QCanBusDevice::CanBusDeviceState state) {
                     if (state == QCanBusDevice::ConnectedState) raw->writeFrame(Claim(address));
                     if (state == QCanBusDevice::UnconnectedState) QCoreApplication::exit(1);
                   });
  if (!raw->connectDevice()) {
    std::fprintf(stderr, "can_test_device: %s\n", qPrintable(raw->errorString()));
    return 1;
  }
  if (raw->state() == QCanBusDevice::ConnectedState) raw->writeFrame(Claim(address));
  return app.exec();
}

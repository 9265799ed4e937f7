#!/usr/bin/env node
// A device under test built on an independent J1939 stack, the npm package
// @csllc/j1939, for vlt-host's frame pipe: frames arrive on stdin and leave on
// stdout as candump -L lines. Diagnostics go to stderr only, since every line on
// stdout is a frame.
//
// The device does what an application on that package does: it lets the package
// claim its address, then operates at once (the package reports the claim done
// the moment its ADDRESS_CLAIMED is out): a status message every 500 ms,
// PRODUCT_ID by BAM, and one long proprietary message to the tester (F9h) by
// RTS/CTS; it sends a long proprietary message from the tester back reversed, so
// that the host's transport meets the package's both ways.
//
//   node dut.js [--module DIR] [--address HEX] [--name "11 22 60 24 00 80 00 80"]
//
// --module: the folder of the installed package (default: require by name).
'use strict';

const readline = require('readline');
const EventEmitter = require('events').EventEmitter;

function option(name, fallback) {
  const at = process.argv.indexOf(name);
  return at > 0 && at + 1 < process.argv.length ? process.argv[at + 1] : fallback;
}

const modulePath = option('--module', '@csllc/j1939');
const address = parseInt(option('--address', '80'), 16);
const name = option('--name', '11 22 60 24 00 80 00 80').trim().split(/\s+/).map((b) => parseInt(b, 16));
if (!(address >= 0 && address <= 0xFD) || name.length !== 8 || name.some((b) => !(b >= 0 && b <= 0xFF))) {
  process.stderr.write('dut.js: --address takes a hex address below FEh, --name eight hex bytes\n');
  process.exit(2);
}

let J1939;
try {
  J1939 = require(modulePath);
} catch (e) {
  process.stderr.write(`dut.js: cannot load ${modulePath}: ${e.message}\n`);
  process.exit(2);
}

const STATUS_DGN = 0x1FFFF;
const PRODUCT_ID_PGN = 0xFEEB;
const PROPRIETARY_A_PGN = 0xEF00;
const TESTER_ADDRESS = 0xF9;
const STATUS_PERIOD_MS = 500;

// The CAN driver the package expects: isOpen(), write({id, ext, buf}) -> Promise,
// and 'data' events with {id, ext, buf}.
class CandumpBus extends EventEmitter {
  isOpen() {
    return true;
  }

  write(msg) {
    const id = (msg.id >>> 0) & 0x1FFFFFFF;
    const data = Buffer.from(msg.buf);
    const now = process.hrtime.bigint() / 1000n;
    const stamp = `${now / 1000000n}.${String(now % 1000000n).padStart(6, '0')}`;
    process.stdout.write(`(${stamp}) can0 ${id.toString(16).toUpperCase().padStart(8, '0')}#` +
                         `${data.toString('hex').toUpperCase()}\n`);
    return Promise.resolve();
  }

  close() {}
  _flushRequestQueue() {}
}

const LINE = /^\s*(?:\(?[0-9.]+\)?\s+)?\S+\s+([0-9A-Fa-f]{8})#([0-9A-Fa-f]{0,16})\s*$/;

const bus = new CandumpBus();
const j1939 = new J1939(bus, { address, name, priority: 6 });

j1939.on('address', (status, attempted) => {
  process.stderr.write(`dut.js: address claim status ${status} at ${attempted.toString(16)}\n`);
});

j1939.on('open', (claimed) => {
  process.stderr.write(`dut.js: operating at ${claimed.toString(16)}\n`);
  const status = () => j1939.write({ pgn: STATUS_DGN, dst: 0xFF, priority: 6,
                                     buf: Buffer.from([1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF]) });
  status();
  setInterval(status, STATUS_PERIOD_MS);
  j1939.write({ pgn: PRODUCT_ID_PGN, dst: 0xFF, priority: 6,
                buf: Buffer.from('Valmora*Interop DUT*csllc-j1939*1.2.0*', 'latin1') });
  j1939.write({ pgn: PROPRIETARY_A_PGN, dst: TESTER_ADDRESS, priority: 6,
                buf: Buffer.from([...Array(20).keys()].map((i) => i + 1)),
                cb: (err) => process.stderr.write(`dut.js: RTS/CTS to F9h ${err ? err.message : 'acknowledged'}\n`) });
});

// A long proprietary message from the tester comes back to it reversed, by RTS/CTS:
// proof that the package took the host's RTS/CTS whole.
j1939.on('data', (msg) => {
  if (msg.pgn !== PROPRIETARY_A_PGN || msg.src !== TESTER_ADDRESS || msg.buf.length <= 8) return;
  const reply = Buffer.from(msg.buf).reverse();
  j1939.write({ pgn: PROPRIETARY_A_PGN, dst: TESTER_ADDRESS, priority: 6, buf: reply,
                cb: (err) => process.stderr.write(`dut.js: reply to F9h ${err ? err.message : 'acknowledged'}\n`) });
});

j1939.on('error', (err) => process.stderr.write(`dut.js: ${err.message}\n`));

const input = readline.createInterface({ input: process.stdin, terminal: false });
input.on('line', (line) => {
  const m = LINE.exec(line);
  if (!m || m[2].length % 2 !== 0) return;  // not a 29-bit classic frame
  bus.emit('data', { id: parseInt(m[1], 16) & 0x1FFFFFFF, ext: true, buf: Buffer.from(m[2], 'hex') });
});
input.on('close', () => process.exit(0));

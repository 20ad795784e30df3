// Zip archives, written and read without any library: the saved work is
// quiz.toml and its files stored as they are. Reading also takes deflated
// entries, the usual kind in zips made by other tools, through the browser's
// own DecompressionStream.
'use strict';

const tevraZip = (function () {
  const kLocalSignature = 0x04034b50;
  const kCentralSignature = 0x02014b50;
  const kEndSignature = 0x06054b50;
  const kLocalSize = 30;
  const kCentralSize = 46;
  const kEndSize = 22;
  const kVersion = 20;
  const kUtf8Names = 0x0800;
  const kStored = 0;
  const kDeflated = 8;
  // 1980-01-01: the same work saved twice gives the same bytes.
  const kDosDate = (1 << 5) | 1;

  const crcTable = Uint32Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });

  function crc32(bytes) {
    let c = 0xffffffff;
    for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  }

  // The fields the local and central headers share, from "version needed" to
  // the name's length, written at `at`.
  function setCommon(view, at, entry) {
    view.setUint16(at, kVersion, true);
    view.setUint16(at + 2, kUtf8Names, true);
    view.setUint16(at + 4, kStored, true);
    view.setUint16(at + 6, 0, true);
    view.setUint16(at + 8, kDosDate, true);
    view.setUint32(at + 10, entry.crc, true);
    view.setUint32(at + 14, entry.bytes.length, true);
    view.setUint32(at + 18, entry.bytes.length, true);
    view.setUint16(at + 22, entry.name.length, true);
  }

  // [{name, bytes}] -> the zip's bytes, every file stored.
  function write(files) {
    const encoder = new TextEncoder();
    const parts = [];
    const centrals = [];
    let offset = 0;
    for (const file of files) {
      const entry = { name: encoder.encode(file.name), bytes: file.bytes, crc: crc32(file.bytes) };
      const local = new DataView(new ArrayBuffer(kLocalSize));
      local.setUint32(0, kLocalSignature, true);
      setCommon(local, 4, entry);
      const central = new DataView(new ArrayBuffer(kCentralSize));
      central.setUint32(0, kCentralSignature, true);
      central.setUint16(4, kVersion, true);
      setCommon(central, 6, entry);
      central.setUint32(42, offset, true);
      parts.push(local, entry.name, entry.bytes);
      centrals.push(central, entry.name);
      offset += kLocalSize + entry.name.length + entry.bytes.length;
    }
    const centralSize = centrals.reduce((sum, part) => sum + part.byteLength, 0);
    const end = new DataView(new ArrayBuffer(kEndSize));
    end.setUint32(0, kEndSignature, true);
    end.setUint16(8, files.length, true);
    end.setUint16(10, files.length, true);
    end.setUint32(12, centralSize, true);
    end.setUint32(16, offset, true);
    return new Blob([...parts, ...centrals, end], { type: 'application/zip' });
  }

  async function inflate(bytes) {
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // A zip's bytes -> [{name, bytes}], folders left out. Throws on anything
  // that is not a zip this reader understands.
  async function read(bytes) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    let end = bytes.length - kEndSize;
    while (end >= 0 && view.getUint32(end, true) !== kEndSignature) end--;
    if (end < 0) throw new Error('ce fichier n\'est pas un zip');
    const count = view.getUint16(end + 10, true);
    let at = view.getUint32(end + 16, true);
    const decoder = new TextDecoder();
    const files = [];
    for (let i = 0; i < count; i++) {
      if (at + kCentralSize > bytes.length || view.getUint32(at, true) !== kCentralSignature) {
        throw new Error('ce zip est abîmé');
      }
      const method = view.getUint16(at + 10, true);
      const size = view.getUint32(at + 20, true);
      const nameLength = view.getUint16(at + 28, true);
      const name = decoder.decode(bytes.subarray(at + kCentralSize, at + kCentralSize + nameLength));
      const local = view.getUint32(at + 42, true);
      const data = local + kLocalSize + view.getUint16(local + 26, true) +
          view.getUint16(local + 28, true);
      const stored = bytes.slice(data, data + size);
      at += kCentralSize + nameLength + view.getUint16(at + 30, true) + view.getUint16(at + 32, true);
      if (name.endsWith('/')) continue;
      if (method !== kStored && method !== kDeflated) {
        throw new Error(`${name} : compression que ce lecteur ne connaît pas`);
      }
      files.push({ name, bytes: method === kStored ? stored : await inflate(stored) });
    }
    return files;
  }

  // Whether bytes begin as a zip does (its first local header), whatever the
  // file's name.
  const isZip = (bytes) => bytes.length >= kLocalSize &&
      new DataView(bytes.buffer, bytes.byteOffset).getUint32(0, true) === kLocalSignature;

  return { write, read, isZip };
})();

if (typeof module !== 'undefined') module.exports = { tevraZip };

// Screenshots read back: a PNG as the browsers write it, decoded with node's zlib alone, and a
// part of one cut out as a PNG of its own.
import { deflateSync, inflateSync } from 'node:zlib';

// A PNG screenshot as { width, height, at(x, y) -> [r, g, b] } (8-bit RGB or RGBA, no
// interlace, as both browsers write them).
export function decodePng(buffer) {
    let pos = 8, width = 0, height = 0, channels = 0;
    const data = [];
    while (pos < buffer.length) {
        const length = buffer.readUInt32BE(pos), type = buffer.toString('ascii', pos + 4, pos + 8);
        const body = buffer.subarray(pos + 8, pos + 8 + length);
        if (type === 'IHDR') {
            width = body.readUInt32BE(0), height = body.readUInt32BE(4);
            channels = { 2: 3, 6: 4 }[body[9]];
            if (body[8] !== 8 || !channels || body[12]) throw new Error('unexpected PNG format');
        }
        if (type === 'IDAT') data.push(body);
        pos += length + 12;
    }
    const raw = inflateSync(Buffer.concat(data)), stride = width * channels;
    const px = Buffer.alloc(stride * height);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        for (let i = 0; i < stride; ++i) {
            const x = raw[y * (stride + 1) + 1 + i];
            const a = i >= channels ? px[y * stride + i - channels] : 0;
            const b = y ? px[(y - 1) * stride + i] : 0;
            const c = y && i >= channels ? px[(y - 1) * stride + i - channels] : 0;
            const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
            const paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            px[y * stride + i] = x + [0, a, b, (a + b) >> 1, paeth][filter];
        }
    }
    const at = (x, y) => [...px.subarray((y * width + x) * channels, (y * width + x) * channels + 3)];
    return { width, height, at };
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
    for (let k = 0; k < 8; ++k) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
    return n >>> 0;
});
const crc32 = (bytes) => (bytes.reduce((c, b) => crcTable[(c ^ b) & 0xff] ^ (c >>> 8), 0xffffffff) ^ 0xffffffff) >>> 0;

// The rectangle of a PNG (device pixels, clipped to the picture) as a PNG of its own: 8-bit RGB.
export function cropPng(buffer, left, top, width, height) {
    const picture = decodePng(buffer);
    left = Math.max(0, left), top = Math.max(0, top);
    width = Math.min(width, picture.width - left), height = Math.min(height, picture.height - top);
    const raw = Buffer.alloc((width * 3 + 1) * height);
    for (let y = 0; y < height; ++y)
        for (let x = 0; x < width; ++x) raw.set(picture.at(left + x, top + y), y * (width * 3 + 1) + 1 + x * 3);
    const chunk = (type, body) => {
        const head = Buffer.alloc(8);
        head.writeUInt32BE(body.length, 0);
        head.write(type, 4, 'ascii');
        const crc = Buffer.alloc(4);
        crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), body])), 0);
        return Buffer.concat([head, body, crc]);
    };
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0), header.writeUInt32BE(height, 4), header[8] = 8, header[9] = 2;
    return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
        chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}

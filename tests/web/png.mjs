// Screenshots read back: a PNG as the browsers write it, decoded with node's zlib alone.
import { inflateSync } from 'node:zlib';

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

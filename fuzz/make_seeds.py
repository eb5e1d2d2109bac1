#!/usr/bin/env python3
"""Writes the small seed files of the level, tile map and particle fuzz targets.

Run from the repository root: python3 fuzz/make_seeds.py
"""
import os
import struct


def s(text):
    b = text.encode() if isinstance(text, str) else text
    return struct.pack('<I', len(b)) + b


def i32(*v): return struct.pack('<%di' % len(v), *v)
def u32(*v): return struct.pack('<%dI' % len(v), *v)
def u16(*v): return struct.pack('<%dH' % len(v), *v)
def u8(*v): return bytes(v)
def f32(*v): return struct.pack('<%df' % len(v), *v)


def particle_body(ptype=3):
    return (f32(0, 1) + u8(255, 128, 0, 255) + f32(90, 2, 10, 1, 1) + i32(50, ptype) + u8(0) +
            f32(360) + i32(2) + f32(0.1, 0) + u8(255, 255, 255, 255) + f32(0, 0, 0, 2, 10) +
            u8(1, 0) + f32(0, 0, 0.5) + u8(0, 0, 255, 255) + u8(255, 0, 0, 255) + f32(0, 0, 0, 0, 3))


TRANSFORM = f32(10, 20, 45, 1, 1, 0, 0)


def build17():
    assets = [(3, 'tex.png'), (7, 'font.ttf'), (4, 'f.frag'), (5, 'v.vert')]
    out = s('#1.7') + i32(len(assets)) + b''.join(i32(t) + s(p) + u8(1, 0) for t, p in assets)
    recs = []

    def rec(name, kind, asset, payload, transform=True, frag=None, vert=None, hit=None, z=0, blend=2):
        b = s(name) + u8(255, 255, 255, 255) + i32(kind, asset)
        b += i32(-1) if frag is None else i32(frag[0]) + s(frag[1])
        b += i32(-1) if vert is None else i32(vert[0]) + s(vert[1])
        b += i32(1, z, blend)
        if transform:
            b += TRANSFORM
        b += u8(0) if hit is None else u8(1) + i32(len(hit)) + b''.join(f32(*l) for l in hit)
        recs.append(b + payload)

    rec('A tiles', 1, 0, u32(1, 2, 16, 16, 2, 2, 10, 10) + u16(1, 2, 3, 4), hit=[(0, 0, 10, 10)])
    rec('B sprite', 2, 4, i32(0, 0, 16, 16), frag=(2, b'\0\0\0?'), vert=(3, b''))
    rec('C particles', 6, -1, b'PSY002' + particle_body())
    rec('D text', 8, 1, s(b'Hall\xc3\xb6') + u32(30) + u8(1) + f32(1, 0))
    rec('E vertices', 9, -1, i32(3) + u8(0) + u32(1) + f32(1, 2) + u8(255, 0, 0, 255) + f32(0, 0))
    rec('F camera', 10, -1, f32(0, 0, 800, 600, 0, 1), transform=False)
    rec('G light', 11, -1, f32(50, 0.6) + u16(512), z=-1)
    rec('H light', 12, -1, f32(50, 50, 0.6) + u16(256), blend=1)
    rec('[Main Camera]', 10, -1, f32(500, 500, 1), transform=False)
    return out + i32(len(recs)) + b''.join(recs)


def build_old(tag):
    old = tag in ('#1.4', '#1.5')
    prefix = 'Projects/Demo/' if old else ''
    assets = [(3, prefix + 'tex.png'), (7, prefix + 'font.ttf')]
    out = s(tag) + i32(len(assets)) + b''.join(i32(t) + s(p) + u8(0, 1) for t, p in assets)
    recs = []

    def rec(name, kind, asset, payload):
        b = s(name) + u8(255, 0, 0, 255) + i32(kind, asset, -1, -1, 1, 0, 2) + TRANSFORM
        if not old:
            b += u8(0)
        recs.append(b + payload)

    rec(b'Box\0' if old else b'Box', 2, 0, i32(0, 0, 8, 8))
    rec('Map', 1, 0, u16(1, 2) + u32(16, 16, 1, 2, 8, 8) + u16(5, 6))
    rec('Sparks', 6, 0, particle_body(7))
    rec('Shape', 9, 0, i32(6) + u8(0) + u32(0))
    rec('Label', 8, 1, s(b'Gr\xfc\xdfe') + u32(20) + u8(0) + f32(1, 0))
    return out + i32(len(recs)) + b''.join(recs)


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


root = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
write(os.path.join(root, 'level'), 'empty17', s('#1.7') + i32(0, 0))
write(os.path.join(root, 'level'), 'kinds17', build17())
for tag in ('#1.6', '#1.5', '#1.4'):
    write(os.path.join(root, 'level'), 'old' + tag[1:].replace('.', ''), build_old(tag))
write(os.path.join(root, 'tilemap'), 'map.tlm', b'TLM001' + u32(2, 1) + u16(1, 258))
write(os.path.join(root, 'tilemap'), 'map.tmap', u32(2, 2) + u16(1, 2, 3, 4))
write(os.path.join(root, 'particles'), 'sparks.psy', b'PSY002' + particle_body())
write(os.path.join(root, 'particles'), 'old.psy', b'PSY001' + particle_body(7))
write(os.path.join(root, 'particles'), 'sparks.part', particle_body(6))

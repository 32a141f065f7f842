#!/usr/bin/env python3
"""jpegwerk's outputs byte for byte: the checksum of every encode (4:2:0,
4:4:4, 4:2:2, progressive, grey, fast transform, restart markers) of a
detailed, a smooth and a small odd-sized picture, and of every decode
(plain, smooth, fast, to grey, reduced) of each of those files, against
the values this tool has always written. Where cjpeg is installed and
writes the files it wrote when the values were taken (its own checksums
match), its baseline, progressive and grey files are decoded as well.

Arguments: the tool, a scratch folder; with --neu as a third the values
are printed, not checked.
"""
import hashlib
import math
import os
import shutil
import subprocess
import sys


def ppm(name, w, h, glatt, grau=False):
    # The whole-program benchmark's pictures: gradients, edges and noise, or
    # smooth ones; grey keeps the first channel.
    z = 7
    zeilen = []
    sx = [90 * math.sin(x / (300.0 if glatt else 23.0)) for x in range(w)]
    cy = [math.cos(y / (250.0 if glatt else 17.0)) for y in range(h)]
    for y in range(h):
        zeile = bytearray(w * (1 if grau else 3))
        for x in range(w):
            z = (z * 1103515245 + 12345) & 0xFFFFFFFF
            n = 0 if glatt else (z >> 16) & 31
            r = int(128 + sx[x] * cy[y] + n // 2) & 255
            if grau:
                zeile[x] = r
                continue
            g = (x * 255) // w
            b = (200 - (y * 100) // h) if (((x // 32 + y // 32) & 1) and not glatt) else 40 + (y * 150) // h + n // 4
            zeile[3 * x:3 * x + 3] = bytes((r, g, b & 255))
        zeilen.append(bytes(zeile))
    with open(name, 'wb') as f:
        f.write(b'%s\n%d %d\n255\n' % (b'P5' if grau else b'P6', w, h))
        f.write(b''.join(zeilen))


def summe(name):
    with open(name, 'rb') as f:
        return hashlib.sha256(f.read()).hexdigest()[:16]


BILDER = [('d', 800, 600, False, False), ('g', 1000, 750, True, False), ('k', 203, 157, False, False),
          ('e', 331, 209, False, True)]
KODIEREN = [('420', ['-abtastung', '420']), ('444', ['-abtastung', '444']), ('422', ['-abtastung', '422']),
            ('p420', ['-abtastung', '420', '-progressiv']), ('p444', ['-abtastung', '444', '-progressiv']),
            ('grau', ['-grau']), ('s420', ['-abtastung', '420', '-schnell']), ('n420', ['-abtastung', '420', '-neustart', '7']),
            ('q30', ['-abtastung', '420', '-q', '30'])]
DEKODIEREN = [('plain', []), ('glatt', ['-glatt']), ('schnell', ['-schnell']), ('grau', ['-grau']),
              ('skala2', ['-skala', '2']), ('skala4s', ['-skala', '4', '-schnell']), ('skala8', ['-skala', '8'])]
REFERENZ = [('cb420', ['-quality', '85', '-sample', '2x2']), ('cb444', ['-quality', '85', '-sample', '1x1']),
            ('cp420', ['-quality', '85', '-sample', '2x2', '-progressive']), ('cgrau', ['-quality', '85', '-grayscale'])]

# name: checksum (first 16 hex digits of SHA-256)
SOLL = {
    'd_420.jpg': '234c1dbb4ac1f90b',
    'd_420_glatt.ppm': '0e81f7c7da0952db',
    'd_420_grau.pgm': 'fb2bf2d37f42b647',
    'd_420_plain.ppm': 'ddf18d6041946927',
    'd_420_schnell.ppm': 'c4bedc5f7c88dbb0',
    'd_420_skala2.ppm': '560db869b97d6c38',
    'd_420_skala4s.ppm': '41453d312e9aa776',
    'd_420_skala8.ppm': '941a0a8e297fefa1',
    'd_422.jpg': 'e800ea1b2a27783d',
    'd_422_glatt.ppm': '7156d3852d7df50b',
    'd_422_grau.pgm': 'fb2bf2d37f42b647',
    'd_422_plain.ppm': 'e59a4155d8a914d6',
    'd_422_schnell.ppm': '378a3472c8a67ace',
    'd_422_skala2.ppm': '40ad657bf742132f',
    'd_422_skala4s.ppm': '9d08c1d65dc68d84',
    'd_422_skala8.ppm': '9799585e2a628f0d',
    'd_444.jpg': 'a5f7afc828e3b688',
    'd_444_glatt.ppm': '50c1a3eb9cc3fc85',
    'd_444_grau.pgm': 'fb2bf2d37f42b647',
    'd_444_plain.ppm': '50c1a3eb9cc3fc85',
    'd_444_schnell.ppm': 'be32731c69f9ad04',
    'd_444_skala2.ppm': '9119a5ce373a85a1',
    'd_444_skala4s.ppm': 'b1e20471de0857ac',
    'd_444_skala8.ppm': '181f0931c2ef7fe3',
    'd_cb420.jpg': '97323a45d7e0f734',
    'd_cb420_glatt.ppm': '748aadc7ab2d11fd',
    'd_cb420_grau.pgm': 'd352b95961d016ae',
    'd_cb420_plain.ppm': '674089476c92495d',
    'd_cb420_schnell.ppm': 'e84a98a35970dc24',
    'd_cb420_skala2.ppm': '4be6b45dff5b4ba8',
    'd_cb420_skala4s.ppm': '1a9a7cbd8280063b',
    'd_cb420_skala8.ppm': '1f9398e14151b264',
    'd_cb444.jpg': '9ffca0654d6329cd',
    'd_cb444_glatt.ppm': '3af4f16e94923b1b',
    'd_cb444_grau.pgm': 'd352b95961d016ae',
    'd_cb444_plain.ppm': '3af4f16e94923b1b',
    'd_cb444_schnell.ppm': '1ee799f5f2b6610d',
    'd_cb444_skala2.ppm': '01411ad080ff03bb',
    'd_cb444_skala4s.ppm': 'ba980466f3aee4d0',
    'd_cb444_skala8.ppm': 'b2fe698e1ee0f7b5',
    'd_cgrau.jpg': '845c8f151898499f',
    'd_cgrau_glatt.pgm': 'd352b95961d016ae',
    'd_cgrau_grau.pgm': 'd352b95961d016ae',
    'd_cgrau_plain.pgm': 'd352b95961d016ae',
    'd_cgrau_schnell.pgm': 'b1dcf9aa0eee78d2',
    'd_cgrau_skala2.pgm': '2b60ce0a46ca5b89',
    'd_cgrau_skala4s.pgm': '046d7c2afc27ce08',
    'd_cgrau_skala8.pgm': '057ffa4f269a5813',
    'd_cp420.jpg': '6a261d4e62414925',
    'd_cp420_glatt.ppm': '748aadc7ab2d11fd',
    'd_cp420_grau.pgm': 'd352b95961d016ae',
    'd_cp420_plain.ppm': '674089476c92495d',
    'd_cp420_schnell.ppm': 'e84a98a35970dc24',
    'd_cp420_skala2.ppm': '4be6b45dff5b4ba8',
    'd_cp420_skala4s.ppm': '1a9a7cbd8280063b',
    'd_cp420_skala8.ppm': '1f9398e14151b264',
    'd_grau.jpg': 'da334d8ec0f77fc5',
    'd_grau_glatt.pgm': '6ae8a32d7c3bcd2d',
    'd_grau_grau.pgm': '6ae8a32d7c3bcd2d',
    'd_grau_plain.pgm': '6ae8a32d7c3bcd2d',
    'd_grau_schnell.pgm': 'd32ee7e18ca7d9b6',
    'd_grau_skala2.pgm': 'da61393837e8ea32',
    'd_grau_skala4s.pgm': 'e38504129befed6e',
    'd_grau_skala8.pgm': '76c095de22c9bbaf',
    'd_n420.jpg': '228f41ca891ebb74',
    'd_n420_glatt.ppm': '0e81f7c7da0952db',
    'd_n420_grau.pgm': 'fb2bf2d37f42b647',
    'd_n420_plain.ppm': 'ddf18d6041946927',
    'd_n420_schnell.ppm': 'c4bedc5f7c88dbb0',
    'd_n420_skala2.ppm': '560db869b97d6c38',
    'd_n420_skala4s.ppm': '41453d312e9aa776',
    'd_n420_skala8.ppm': '941a0a8e297fefa1',
    'd_p420.jpg': 'a34cef199be0e364',
    'd_p420_glatt.ppm': '0e81f7c7da0952db',
    'd_p420_grau.pgm': 'fb2bf2d37f42b647',
    'd_p420_plain.ppm': 'ddf18d6041946927',
    'd_p420_schnell.ppm': 'c4bedc5f7c88dbb0',
    'd_p420_skala2.ppm': '560db869b97d6c38',
    'd_p420_skala4s.ppm': '41453d312e9aa776',
    'd_p420_skala8.ppm': '941a0a8e297fefa1',
    'd_p444.jpg': '41b4371a98ce76ba',
    'd_p444_glatt.ppm': '50c1a3eb9cc3fc85',
    'd_p444_grau.pgm': 'fb2bf2d37f42b647',
    'd_p444_plain.ppm': '50c1a3eb9cc3fc85',
    'd_p444_schnell.ppm': 'be32731c69f9ad04',
    'd_p444_skala2.ppm': '9119a5ce373a85a1',
    'd_p444_skala4s.ppm': 'b1e20471de0857ac',
    'd_p444_skala8.ppm': '181f0931c2ef7fe3',
    'd_q30.jpg': '7991b963f2f697a4',
    'd_q30_glatt.ppm': '1b510607a3c5cae2',
    'd_q30_grau.pgm': '7bd8dc6101662353',
    'd_q30_plain.ppm': 'a50e7cb85444567a',
    'd_q30_schnell.ppm': '129afd349ba69862',
    'd_q30_skala2.ppm': '245845ceb2b2a362',
    'd_q30_skala4s.ppm': 'b48860b68f93c74e',
    'd_q30_skala8.ppm': '5a4e83031c8fe39f',
    'd_s420.jpg': '86d85b5898873ed9',
    'd_s420_glatt.ppm': '4d0af507c76b7098',
    'd_s420_grau.pgm': 'df24b19008f1ee74',
    'd_s420_plain.ppm': '32e8d22e4761ce8d',
    'd_s420_schnell.ppm': '6f24e2d62babd8c2',
    'd_s420_skala2.ppm': '7497721232608e94',
    'd_s420_skala4s.ppm': 'f6258c4a7c696067',
    'd_s420_skala8.ppm': '19d1d0478cb5cae5',
    'e_420.jpg': 'f0401ffedc8fc79f',
    'e_420_glatt.pgm': 'ee74c10ec503d7ef',
    'e_420_plain.pgm': 'ee74c10ec503d7ef',
    'e_420_schnell.pgm': '804de05302eb2926',
    'e_420_skala2.pgm': '5908c8a72065d08c',
    'e_420_skala4s.pgm': 'adb47a4ffdf464d8',
    'e_420_skala8.pgm': 'f6bb9b4fb2b0b309',
    'e_p420.jpg': '296fc907816ac554',
    'e_p420_glatt.pgm': 'ee74c10ec503d7ef',
    'e_p420_plain.pgm': 'ee74c10ec503d7ef',
    'e_p420_schnell.pgm': '804de05302eb2926',
    'e_p420_skala2.pgm': '5908c8a72065d08c',
    'e_p420_skala4s.pgm': 'adb47a4ffdf464d8',
    'e_p420_skala8.pgm': 'f6bb9b4fb2b0b309',
    'e_s420.jpg': 'a1208879aeace897',
    'e_s420_glatt.pgm': '74017c06abc0de6c',
    'e_s420_plain.pgm': '74017c06abc0de6c',
    'e_s420_schnell.pgm': '0ebc2cfa9ab3c61b',
    'e_s420_skala2.pgm': 'b1de2c621afc7673',
    'e_s420_skala4s.pgm': '8a9c1d64b026b708',
    'e_s420_skala8.pgm': 'b12811fce7616693',
    'g_420.jpg': 'fd534b7f8c71fa3a',
    'g_420_glatt.ppm': '4bb10ee2e72c07d4',
    'g_420_grau.pgm': '408bdffb49cb28a0',
    'g_420_plain.ppm': '9e954739e8643129',
    'g_420_schnell.ppm': '052baab63553e345',
    'g_420_skala2.ppm': '3c6204f9d4d84e04',
    'g_420_skala4s.ppm': '4bac751f6eaba357',
    'g_420_skala8.ppm': '18d0be7dfd729455',
    'g_422.jpg': '47330d81b192b837',
    'g_422_glatt.ppm': '70745e7148d29fe4',
    'g_422_grau.pgm': '408bdffb49cb28a0',
    'g_422_plain.ppm': 'f14344c0ece621de',
    'g_422_schnell.ppm': '2518f0b7a9bf20df',
    'g_422_skala2.ppm': '9cd682481dee174d',
    'g_422_skala4s.ppm': 'e6983d9e86237c1e',
    'g_422_skala8.ppm': '00428e521c0f7ef9',
    'g_444.jpg': '5712429d6257fa94',
    'g_444_glatt.ppm': '30196ee9c4125b40',
    'g_444_grau.pgm': '408bdffb49cb28a0',
    'g_444_plain.ppm': '30196ee9c4125b40',
    'g_444_schnell.ppm': '4a9e09950c252ea1',
    'g_444_skala2.ppm': '23bf462c3464363f',
    'g_444_skala4s.ppm': 'e0f284331c9f7eda',
    'g_444_skala8.ppm': '8261b6f3c859f656',
    'g_cb420.jpg': '86d85e81aac1e708',
    'g_cb420_glatt.ppm': 'ab242d3f705ec6f8',
    'g_cb420_grau.pgm': '427525e7f58a3a69',
    'g_cb420_plain.ppm': '983e73c2bd162319',
    'g_cb420_schnell.ppm': 'd395b0be040e75fd',
    'g_cb420_skala2.ppm': 'e646158c80c51284',
    'g_cb420_skala4s.ppm': '7680c9e8415cbff7',
    'g_cb420_skala8.ppm': '77c5c2547d14dbf5',
    'g_cb444.jpg': '79b3cd36ff9397be',
    'g_cb444_glatt.ppm': '679a721c647f1208',
    'g_cb444_grau.pgm': '427525e7f58a3a69',
    'g_cb444_plain.ppm': '679a721c647f1208',
    'g_cb444_schnell.ppm': '6e24d2ef4a9b0b77',
    'g_cb444_skala2.ppm': 'f35f7eeb7a3f2f13',
    'g_cb444_skala4s.ppm': 'f47dee98328cdee4',
    'g_cb444_skala8.ppm': '6dd921a66a6711a5',
    'g_cgrau.jpg': '684284cd8c5684f8',
    'g_cgrau_glatt.pgm': '427525e7f58a3a69',
    'g_cgrau_grau.pgm': '427525e7f58a3a69',
    'g_cgrau_plain.pgm': '427525e7f58a3a69',
    'g_cgrau_schnell.pgm': '2b8a47a523f13c67',
    'g_cgrau_skala2.pgm': '4dfffe4264a29063',
    'g_cgrau_skala4s.pgm': 'ffcdd55f08bac2b2',
    'g_cgrau_skala8.pgm': '6008453d8acb8a4a',
    'g_cp420.jpg': '83eb7ab16e67d353',
    'g_cp420_glatt.ppm': 'ab242d3f705ec6f8',
    'g_cp420_grau.pgm': '427525e7f58a3a69',
    'g_cp420_plain.ppm': '983e73c2bd162319',
    'g_cp420_schnell.ppm': 'd395b0be040e75fd',
    'g_cp420_skala2.ppm': 'e646158c80c51284',
    'g_cp420_skala4s.ppm': '7680c9e8415cbff7',
    'g_cp420_skala8.ppm': '77c5c2547d14dbf5',
    'g_grau.jpg': '1fd8d4cb17c17f39',
    'g_grau_glatt.pgm': '7daad729c9537a5b',
    'g_grau_grau.pgm': '7daad729c9537a5b',
    'g_grau_plain.pgm': '7daad729c9537a5b',
    'g_grau_schnell.pgm': 'd53e55ab09768071',
    'g_grau_skala2.pgm': '7e8182d27280c455',
    'g_grau_skala4s.pgm': 'bbfbc7b0cf4e4946',
    'g_grau_skala8.pgm': 'e73d6bee86ac02c7',
    'g_n420.jpg': '587b1fa7e78cda64',
    'g_n420_glatt.ppm': '4bb10ee2e72c07d4',
    'g_n420_grau.pgm': '408bdffb49cb28a0',
    'g_n420_plain.ppm': '9e954739e8643129',
    'g_n420_schnell.ppm': '052baab63553e345',
    'g_n420_skala2.ppm': '3c6204f9d4d84e04',
    'g_n420_skala4s.ppm': '4bac751f6eaba357',
    'g_n420_skala8.ppm': '18d0be7dfd729455',
    'g_p420.jpg': 'fedca3653ef2d5a8',
    'g_p420_glatt.ppm': '4bb10ee2e72c07d4',
    'g_p420_grau.pgm': '408bdffb49cb28a0',
    'g_p420_plain.ppm': '9e954739e8643129',
    'g_p420_schnell.ppm': '052baab63553e345',
    'g_p420_skala2.ppm': '3c6204f9d4d84e04',
    'g_p420_skala4s.ppm': '4bac751f6eaba357',
    'g_p420_skala8.ppm': '18d0be7dfd729455',
    'g_p444.jpg': 'f9b2f1d204ee4b40',
    'g_p444_glatt.ppm': '30196ee9c4125b40',
    'g_p444_grau.pgm': '408bdffb49cb28a0',
    'g_p444_plain.ppm': '30196ee9c4125b40',
    'g_p444_schnell.ppm': '4a9e09950c252ea1',
    'g_p444_skala2.ppm': '23bf462c3464363f',
    'g_p444_skala4s.ppm': 'e0f284331c9f7eda',
    'g_p444_skala8.ppm': '8261b6f3c859f656',
    'g_q30.jpg': '6fdeb6bd54daad7e',
    'g_q30_glatt.ppm': 'b3cabff69313064d',
    'g_q30_grau.pgm': 'e31791047dd1e698',
    'g_q30_plain.ppm': '91795ed9760f5d85',
    'g_q30_schnell.ppm': 'dee2f633d94eaf89',
    'g_q30_skala2.ppm': '1b3530a70313b359',
    'g_q30_skala4s.ppm': 'f8e374be94203096',
    'g_q30_skala8.ppm': '859476993bd67ddd',
    'g_s420.jpg': '21b6fd68f1eedb3d',
    'g_s420_glatt.ppm': '5a912d9125581627',
    'g_s420_grau.pgm': '44e30ad7b0674a66',
    'g_s420_plain.ppm': '917d2f99ea97517b',
    'g_s420_schnell.ppm': 'd9144af4feb693e1',
    'g_s420_skala2.ppm': 'f41efa9ea6735b7c',
    'g_s420_skala4s.ppm': '38fa5e6cad3fbe4b',
    'g_s420_skala8.ppm': '7a5731e92b21c671',
    'k_420.jpg': '86b78bef876238e9',
    'k_420_glatt.ppm': '79c8be4a2eb98102',
    'k_420_grau.pgm': '5243d668c1700b24',
    'k_420_plain.ppm': 'dd07786bf29f2c7c',
    'k_420_schnell.ppm': '7e20448219f6001f',
    'k_420_skala2.ppm': '9baabf65883b2fe2',
    'k_420_skala4s.ppm': '7d64c7f4424b35a0',
    'k_420_skala8.ppm': 'c124f4de494899a3',
    'k_422.jpg': 'e50dec3dff15d6e7',
    'k_422_glatt.ppm': '61edbb08333d03df',
    'k_422_grau.pgm': '5243d668c1700b24',
    'k_422_plain.ppm': 'c06490efcc8d79e3',
    'k_422_schnell.ppm': '06faf454cac10295',
    'k_422_skala2.ppm': '880546bdd10ee180',
    'k_422_skala4s.ppm': '84b8d6d39a5ec561',
    'k_422_skala8.ppm': '326fd60b3ddfbbfe',
    'k_444.jpg': 'b91fe1a598356f00',
    'k_444_glatt.ppm': 'b8d2975666d301d5',
    'k_444_grau.pgm': '5243d668c1700b24',
    'k_444_plain.ppm': 'b8d2975666d301d5',
    'k_444_schnell.ppm': 'bafec3a300b9e417',
    'k_444_skala2.ppm': '9ef394c5de7aa4f2',
    'k_444_skala4s.ppm': '849be9418a1f7752',
    'k_444_skala8.ppm': '7f836c36885c1fd1',
    'k_cb420.jpg': 'd00eb1f69e53d1bb',
    'k_cb420_glatt.ppm': '4afe587f584a5069',
    'k_cb420_grau.pgm': '55d9ebc3ab7cc7b1',
    'k_cb420_plain.ppm': '72770e52e362ce4f',
    'k_cb420_schnell.ppm': '6cbf011b3a73259e',
    'k_cb420_skala2.ppm': '9bd7382f99b17ff0',
    'k_cb420_skala4s.ppm': 'fba9ba6de88c3d64',
    'k_cb420_skala8.ppm': 'd873dd281d47e3b3',
    'k_cb444.jpg': '05d10fd3cc731ca4',
    'k_cb444_glatt.ppm': '687c26cf7d3dbbb7',
    'k_cb444_grau.pgm': '55d9ebc3ab7cc7b1',
    'k_cb444_plain.ppm': '687c26cf7d3dbbb7',
    'k_cb444_schnell.ppm': '78d71a5d4c70c297',
    'k_cb444_skala2.ppm': 'ec0d3710800471ab',
    'k_cb444_skala4s.ppm': '78b8618c0903a03d',
    'k_cb444_skala8.ppm': '53075c15c24a712e',
    'k_cgrau.jpg': '7eba72599870e575',
    'k_cgrau_glatt.pgm': '55d9ebc3ab7cc7b1',
    'k_cgrau_grau.pgm': '55d9ebc3ab7cc7b1',
    'k_cgrau_plain.pgm': '55d9ebc3ab7cc7b1',
    'k_cgrau_schnell.pgm': 'e737179267e511c3',
    'k_cgrau_skala2.pgm': '89e65fd099c6e911',
    'k_cgrau_skala4s.pgm': 'f7c437bfb59c2935',
    'k_cgrau_skala8.pgm': 'e3f74de05862ba69',
    'k_cp420.jpg': '3e45b78c8fd3fc24',
    'k_cp420_glatt.ppm': '4afe587f584a5069',
    'k_cp420_grau.pgm': '55d9ebc3ab7cc7b1',
    'k_cp420_plain.ppm': '72770e52e362ce4f',
    'k_cp420_schnell.ppm': '6cbf011b3a73259e',
    'k_cp420_skala2.ppm': '9bd7382f99b17ff0',
    'k_cp420_skala4s.ppm': 'fba9ba6de88c3d64',
    'k_cp420_skala8.ppm': 'd873dd281d47e3b3',
    'k_grau.jpg': '8019fb16da6c0f07',
    'k_grau_glatt.pgm': '2a26833f45edc3b2',
    'k_grau_grau.pgm': '2a26833f45edc3b2',
    'k_grau_plain.pgm': '2a26833f45edc3b2',
    'k_grau_schnell.pgm': '21d33ee8cc9ad923',
    'k_grau_skala2.pgm': 'e185a776d2c0a590',
    'k_grau_skala4s.pgm': 'c9615978adb3ecab',
    'k_grau_skala8.pgm': '8cd02c71d2a7a3d3',
    'k_n420.jpg': 'd3e4e99410c680d7',
    'k_n420_glatt.ppm': '79c8be4a2eb98102',
    'k_n420_grau.pgm': '5243d668c1700b24',
    'k_n420_plain.ppm': 'dd07786bf29f2c7c',
    'k_n420_schnell.ppm': '7e20448219f6001f',
    'k_n420_skala2.ppm': '9baabf65883b2fe2',
    'k_n420_skala4s.ppm': '7d64c7f4424b35a0',
    'k_n420_skala8.ppm': 'c124f4de494899a3',
    'k_p420.jpg': '5f9071a04db7ef2f',
    'k_p420_glatt.ppm': '79c8be4a2eb98102',
    'k_p420_grau.pgm': '5243d668c1700b24',
    'k_p420_plain.ppm': 'dd07786bf29f2c7c',
    'k_p420_schnell.ppm': '7e20448219f6001f',
    'k_p420_skala2.ppm': '9baabf65883b2fe2',
    'k_p420_skala4s.ppm': '7d64c7f4424b35a0',
    'k_p420_skala8.ppm': 'c124f4de494899a3',
    'k_p444.jpg': 'fbb551d9ab3c7783',
    'k_p444_glatt.ppm': 'b8d2975666d301d5',
    'k_p444_grau.pgm': '5243d668c1700b24',
    'k_p444_plain.ppm': 'b8d2975666d301d5',
    'k_p444_schnell.ppm': 'bafec3a300b9e417',
    'k_p444_skala2.ppm': '9ef394c5de7aa4f2',
    'k_p444_skala4s.ppm': '849be9418a1f7752',
    'k_p444_skala8.ppm': '7f836c36885c1fd1',
    'k_q30.jpg': '49d1f357b35989dd',
    'k_q30_glatt.ppm': 'a1485ce64fc432a9',
    'k_q30_grau.pgm': '4a0c7e7a40f1b859',
    'k_q30_plain.ppm': '74493694164a1537',
    'k_q30_schnell.ppm': 'a0349b06a9ac9896',
    'k_q30_skala2.ppm': '76e9879241dbdbd2',
    'k_q30_skala4s.ppm': '6db9b45474c2ce26',
    'k_q30_skala8.ppm': '02d7f3b1fa5d7e9c',
    'k_s420.jpg': 'daa1058ccf3fe58f',
    'k_s420_glatt.ppm': 'ab72b857111ca2af',
    'k_s420_grau.pgm': '4014317e605be6ea',
    'k_s420_plain.ppm': '86308f114ea306b8',
    'k_s420_schnell.ppm': '9c8ab4d5a9acf5f4',
    'k_s420_skala2.ppm': '3a5c707f6b56e6d3',
    'k_s420_skala4s.ppm': 'd95d7534867d2c7d',
    'k_s420_skala8.ppm': 'b22a7689f57d7a2a',
}


def main():
    werk, ordner = os.path.abspath(sys.argv[1]), os.path.join(sys.argv[2], "pruefsummen")
    neu = len(sys.argv) > 3 and sys.argv[3] == '--neu'
    shutil.rmtree(ordner, ignore_errors=True)
    os.makedirs(ordner)
    os.chdir(ordner)
    ist = {}
    fehler = []

    def lauf(args, ziel):
        r = subprocess.run([werk] + args, capture_output=True)
        if r.returncode != 0:
            fehler.append('exit %d: %s %s' % (r.returncode, ' '.join(args), r.stderr.decode(errors='replace')))
            return
        ist[ziel] = summe(ziel)

    cjpeg = shutil.which('cjpeg')
    for name, w, h, glatt, grau in BILDER:
        ein = name + ('.pgm' if grau else '.ppm')
        ppm(ein, w, h, glatt, grau)
        dateien = []
        for art, opt in KODIEREN:
            if grau and art not in ('420', 'p420', 's420'):
                continue
            jpg = '%s_%s.jpg' % (name, art)
            lauf(['k'] + opt + [ein, jpg], jpg)
            dateien.append(jpg)
        if cjpeg and not grau:
            for art, opt in REFERENZ:
                jpg = '%s_%s.jpg' % (name, art)
                subprocess.run([cjpeg] + opt + ['-outfile', jpg, ein], check=True)
                # Only files as cjpeg wrote them when the values were taken.
                if neu or SOLL.get(jpg) == summe(jpg):
                    ist[jpg] = summe(jpg)
                    dateien.append(jpg)
        for jpg in dateien:
            for art, opt in DEKODIEREN:
                if grau and art == 'grau':
                    continue
                aus = '%s_%s.%s' % (jpg[:-4], art, 'pgm' if grau or art == 'grau' or jpg.endswith('grau.jpg') else 'ppm')
                if not os.path.exists(jpg):
                    continue
                lauf(['d'] + opt + [jpg, aus], aus)
    if neu:
        for k in sorted(ist):
            print("    '%s': '%s'," % (k, ist[k]))
        return 1 if fehler else 0
    for k in sorted(ist):
        if k not in SOLL:
            fehler.append('%s: no value kept' % k)
        elif SOLL[k] != ist[k]:
            fehler.append('%s: %s instead of %s' % (k, ist[k], SOLL[k]))
    for k in sorted(SOLL):
        if k not in ist and not k.startswith(tuple(n + '_c' for n, *_ in BILDER)):
            fehler.append('%s: not written' % k)
    geprueft = len(ist)
    for f in fehler:
        print(f)
    print('%d outputs checked, %d differ or failed' % (geprueft, len(fehler)))
    return 1 if fehler else 0


if __name__ == '__main__':
    sys.exit(main())

// Temporary stand-ins for the decoder until its real parts are in place.
#include "jpeg/jpeg_kern.h"

void Jpeg_Dek_Kerne_Fuellen(Jpeg_Kern_Tabelle* tabelle, int32_t /*prozessor*/)
{
    tabelle->Dek_Zeile = nullptr;
}

int32_t Jpeg_Decode_Bild(JPEG_PROPERTIES* /*p*/)
{
    return JPEG_ERG_NICHT_UNTERSTUETZT;
}

int32_t Jpeg_Build_Huffman(const uint8_t* /*anzahlen*/, const uint8_t* /*symbole*/,
                           int32_t /*klasse*/, int32_t /*nummer*/,
                           Jpeg_Huffman_Tabelle* /*tabelle*/)
{
    return JPEG_ERG_NICHT_UNTERSTUETZT;
}

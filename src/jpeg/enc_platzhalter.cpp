// Temporary stand-ins for the encoder until its real parts are in place.
#include "jpeg/jpeg_kern.h"

void Jpeg_Kod_Kerne_Fuellen(Jpeg_Kern_Tabelle* tabelle, int32_t /*prozessor*/)
{
    tabelle->Kod_Zeile = nullptr;
}

int32_t Jpeg_Standardtabellen(JPEG_PROPERTIES* /*p*/)
{
    return JPEG_ERG_NICHT_UNTERSTUETZT;
}

int32_t Jpeg_Kopf_Schreiben(JPEG_PROPERTIES* /*p*/)
{
    return JPEG_ERG_NICHT_UNTERSTUETZT;
}

int32_t Jpeg_Encode_Sequentiell(JPEG_PROPERTIES* /*p*/)
{
    return JPEG_ERG_NICHT_UNTERSTUETZT;
}

int32_t Jpeg_Encode_Progressiv(JPEG_PROPERTIES* /*p*/)
{
    return JPEG_ERG_NICHT_UNTERSTUETZT;
}

object ContactsForm: TContactsForm
  Left = 260
  Top = 160
  Hint = 'Names and addresses of your contacts'
  Caption = 'Contacts'
  ClientHeight = 360
  ClientWidth = 480
  ShowHint = True
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 464
    Height = 280
    ActivePage = tsAddress
    object tsAddress: TTabSheet
      Caption = 'Address'
      inline AddressFrame1: TAddressFrame
        Left = 4
        Top = 4
        Width = 440
        Height = 200
        object lblStreet: TLabel
          Left = 8
          Top = 12
          Width = 80
          Height = 16
          Caption = '&Street:'
          FocusControl = edStreet
        end
        object edStreet: TEdit
          Left = 96
          Top = 8
          Width = 320
          Height = 24
          Hint = 'Street and house number'
        end
        object lblCity: TLabel
          Left = 8
          Top = 44
          Width = 80
          Height = 16
          Caption = '&City:'
          FocusControl = edCity
        end
        object edCity: TEdit
          Left = 96
          Top = 40
          Width = 320
          Height = 24
          Hint = 'Postal code and city'
        end
        object btnClear: TButton
          Left = 96
          Top = 80
          Width = 100
          Height = 25
          Hint = 'Empty every field of the address'
          Caption = 'C&lear'
        end
        object btnLookUp: TButton
          Left = 204
          Top = 80
          Width = 100
          Height = 25
          Hint = 'Find the postal code of the city'
          Caption = '&Look up'
        end
      end
    end
    object tsNotes: TTabSheet
      Caption = 'Notes'
      object memNotes: TMemo
        Left = 4
        Top = 4
        Width = 440
        Height = 200
        Hint = 'Anything worth remembering about the contact'
        Lines.Strings = (
          'Write notes about the contact here.'
          'They are saved with the contact.')
      end
    end
  end
  object btnHelp: TButton
    Left = 8
    Top = 300
    Width = 100
    Height = 25
  end
  object btnOK: TButton
    Left = 284
    Top = 300
    Width = 90
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object btnCancel: TButton
    Left = 382
    Top = 300
    Width = 90
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
  end
end
